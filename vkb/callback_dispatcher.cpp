#include "vkb/callback_dispatcher.h"

#include <algorithm>

namespace tarvolin::vkb {
namespace {

bool SameInterface(const device::DeviceSelector& a, const device::DeviceSelector& b) {
  return a.vendor_id == b.vendor_id && a.usage_page == b.usage_page && a.usage == b.usage;
}

}  // namespace

CallbackDispatcher::CallbackDispatcher() : thread_([this] { Loop(); }) {}

CallbackDispatcher::~CallbackDispatcher() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  queue_cv_.notify_all();
  if (thread_.joinable()) thread_.join();
}

std::uint32_t CallbackDispatcher::Subscribe(const device::DeviceSelector& selector,
                                            device::InputCallback callback, std::uint32_t context) {
  std::lock_guard lock(mutex_);
  const std::uint32_t id = next_unit_++;
  subscriptions_.push_back(Subscription{id, selector, callback, context});
  return id;
}

std::uint32_t CallbackDispatcher::NewUnitId() {
  std::lock_guard lock(mutex_);
  return next_unit_++;
}

void CallbackDispatcher::Cancel(std::uint32_t unit_id) {
  std::lock_guard lock(mutex_);
  std::erase_if(subscriptions_, [unit_id](const Subscription& s) { return s.id == unit_id; });
}

void CallbackDispatcher::CancelAll() {
  std::lock_guard lock(mutex_);
  subscriptions_.clear();
}

void CallbackDispatcher::PostControlInput(std::vector<std::uint8_t> bytes) {
  Post([this, bytes = std::move(bytes)] {
    Deliver(Target::kControl, device::kEventInputReport, bytes,
            static_cast<std::uint32_t>(bytes.size()));
  });
}

void CallbackDispatcher::PostConsumerInput(std::uint16_t event_code) {
  Post([this, event_code] {
    const std::vector<std::uint8_t> bytes = {static_cast<std::uint8_t>(event_code & 0xFF),
                                             static_cast<std::uint8_t>(event_code >> 8)};
    Deliver(Target::kConsumer, device::kEventInputReport, bytes, 2);
  });
}

void CallbackDispatcher::PostDeviceCount(std::uint32_t count) {
  Post([this, count] { Deliver(Target::kEvery, device::kEventDeviceCountChanged, {}, count); });
}

void CallbackDispatcher::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
  }
  queue_cv_.notify_one();
}

void CallbackDispatcher::Drain() {
  std::unique_lock lock(mutex_);
  drained_cv_.wait(lock, [this] { return queue_.empty() && !running_work_; });
}

void CallbackDispatcher::Loop() {
  for (;;) {
    std::function<void()> work;
    {
      std::unique_lock lock(mutex_);
      queue_cv_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      work = std::move(queue_.front());
      queue_.pop_front();
      running_work_ = true;
    }
    work();
    {
      std::lock_guard lock(mutex_);
      running_work_ = false;
    }
    drained_cv_.notify_all();
  }
}

void CallbackDispatcher::Deliver(Target target, std::uint32_t kind,
                                 const std::vector<std::uint8_t>& input, std::uint32_t count) {
  std::vector<Subscription> targets;
  {
    std::lock_guard lock(mutex_);
    for (const auto& s : subscriptions_) {
      if (target == Target::kEvery ||
          (target == Target::kControl && SameInterface(s.selector, device::kControlSelector)) ||
          (target == Target::kConsumer && SameInterface(s.selector, device::kConsumerSelector))) {
        targets.push_back(s);
      }
    }
  }
  // The records as the callback reads them; the consumer input hangs off a holder record.
  std::uint8_t holder[device::kConsumerHolderSize] = {};
  device::WriteField(holder, device::kConsumerHolderInputOffset,
                     static_cast<const std::uint8_t*>(input.data()));
  for (const auto& s : targets) {
    std::uint8_t subscription[device::kSubscriptionRecordSize] = {};
    std::uint8_t event[device::kEventRecordSize] = {};
    device::WriteField<std::uint32_t>(subscription, device::kSubscriptionContextOffset, s.context);
    device::WriteField<std::uint32_t>(subscription, device::kSubscriptionCountOffset, count);
    device::WriteField(subscription, device::kSubscriptionInputOffset,
                       static_cast<const std::uint8_t*>(input.data()));
    device::WriteField(subscription, device::kSubscriptionConsumerHolderOffset,
                       static_cast<const std::uint8_t*>(holder));
    device::WriteField<std::uint32_t>(event, device::kEventKindOffset, kind);
    device::WriteField(event, device::kEventSubscriptionOffset,
                       static_cast<const std::uint8_t*>(subscription));
    s.callback(event);
  }
}

}  // namespace tarvolin::vkb
