#include "vkb/virtual_hid_library.h"

#include <cstring>

namespace tarvolin::vkb {

using device::DeviceSelector;

namespace {

bool SameInterface(const DeviceSelector& a, const DeviceSelector& b) {
  return a.vendor_id == b.vendor_id && a.product_id == b.product_id &&
         a.usage_page == b.usage_page && a.usage == b.usage;
}

// Plain C entry points over the one instance.
int EpDebug(int) {
  return 1;
}
int EpInit(int flags) {
  return VirtualHidLibrary::Instance().Init(flags);
}
int EpEnd() {
  return 1;
}
int EpDeviceCount(const DeviceSelector* selector) {
  return VirtualHidLibrary::Instance().DeviceCount(selector);
}
int EpDeleteUnit(std::uint32_t unit) {
  return VirtualHidLibrary::Instance().DeleteUnit(unit);
}
int EpDeleteHandle(void*) {
  return 1;
}
int EpWrite(const DeviceSelector* selector, const std::uint8_t* data, int length) {
  return VirtualHidLibrary::Instance().WriteOne(selector, data, length);
}
int EpWriteOne(const DeviceSelector* selector, const std::uint8_t* data, int length) {
  return VirtualHidLibrary::Instance().WriteOne(selector, data, length);
}
int EpStatusWrite(const DeviceSelector* selector, device::InputCallback callback,
                  std::uint32_t context, const std::uint8_t* data, int length,
                  std::uint32_t* unit) {
  return VirtualHidLibrary::Instance().StatusWrite(selector, callback, context, data, length, unit);
}
int EpStatusGet(const DeviceSelector*, std::uint8_t*, int) {
  return 0;
}
int EpAsyncRead(const DeviceSelector* selector, device::InputCallback callback,
                std::uint32_t context, std::uint32_t* unit) {
  return VirtualHidLibrary::Instance().AsyncRead(selector, callback, context, unit);
}
int EpSetFeature(const DeviceSelector*, const std::uint8_t*, int) {
  return 0;
}

}  // namespace

VirtualHidLibrary& VirtualHidLibrary::Instance() {
  // Never destroyed: at process exit its thread may already be gone (Windows ends threads
  // before static destructors run), and joining it then would hang the exit.
  static VirtualHidLibrary* library = new VirtualHidLibrary;
  return *library;
}

device::HidLibraryApi VirtualHidLibrary::Api() {
  device::HidLibraryApi api;
  api.Debug = &EpDebug;
  api.Init = &EpInit;
  api.End = &EpEnd;
  api.RequestGetDeviceCount = &EpDeviceCount;
  api.DeleteRequestFromUnitId = &EpDeleteUnit;
  api.DeleteRequestFromHandle = &EpDeleteHandle;
  api.RequestWrite = &EpWrite;
  api.RequestWriteOne = &EpWriteOne;
  api.RequestStatusWrite = &EpStatusWrite;
  api.RequestStatusGet = &EpStatusGet;
  api.RequestAsyncRead = &EpAsyncRead;
  api.RequestStatusSetFeature = &EpSetFeature;
  return api;
}

VirtualHidLibrary::VirtualHidLibrary() : thread_([this] { DeliveryLoop(); }) {}

VirtualHidLibrary::~VirtualHidLibrary() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  queue_cv_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void VirtualHidLibrary::Reset() {
  Drain();
  firmware_.ResetToFactory();
  traffic_.Clear();
  std::lock_guard lock(mutex_);
  plugged_ = true;
  subscriptions_.clear();
  last_status_.clear();
  after_request_ = nullptr;
  product_id_ = device::kProductId;
}

int VirtualHidLibrary::Init(int) {
  return 1;
}

bool VirtualHidLibrary::IsOurKeyboard(const DeviceSelector* selector) const {
  return selector != nullptr && selector->vendor_id == device::kVendorId &&
         selector->product_id == product_id_;
}

int VirtualHidLibrary::DeviceCount(const DeviceSelector* selector) {
  std::lock_guard lock(mutex_);
  return plugged_ && IsOurKeyboard(selector) ? 1 : 0;
}

int VirtualHidLibrary::WriteOne(const DeviceSelector* selector, const std::uint8_t* data,
                                int length) {
  if (data == nullptr || length <= 0) return 0;
  {
    std::lock_guard lock(mutex_);
    if (!plugged_ || !IsOurKeyboard(selector)) return 0;
  }
  device::ReportBytes request{};
  std::memcpy(request.data(), data,
              std::min<std::size_t>(static_cast<std::size_t>(length), request.size()));
  traffic_.Record(true, request);
  Delivery delivery{device::kEventInputReport, {}, 0, false};
  delivery.bytes.assign(request.begin(), request.end());
  Enqueue(std::move(delivery));  // the firmware answers on the library's thread
  return length;
}

int VirtualHidLibrary::AsyncRead(const DeviceSelector* selector, device::InputCallback callback,
                                 std::uint32_t context, std::uint32_t* unit_id) {
  if (selector == nullptr || callback == nullptr) return 0;
  std::lock_guard lock(mutex_);
  const std::uint32_t id = next_unit_++;
  subscriptions_.push_back(Subscription{id, *selector, callback, context});
  if (unit_id) *unit_id = id;
  return 1;
}

int VirtualHidLibrary::StatusWrite(const DeviceSelector* selector, device::InputCallback,
                                   std::uint32_t, const std::uint8_t* data, int length,
                                   std::uint32_t* unit_id) {
  if (selector == nullptr || data == nullptr || length <= 0) return 0;
  std::lock_guard lock(mutex_);
  last_status_.assign(data, data + length);
  if (unit_id) *unit_id = next_unit_++;
  return plugged_ ? 1 : 0;
}

int VirtualHidLibrary::DeleteUnit(std::uint32_t unit_id) {
  std::lock_guard lock(mutex_);
  std::erase_if(subscriptions_, [unit_id](const Subscription& s) { return s.id == unit_id; });
  return 1;
}

void VirtualHidLibrary::Plug() {
  {
    std::lock_guard lock(mutex_);
    if (plugged_) return;
    plugged_ = true;
  }
  Enqueue(Delivery{device::kEventDeviceCountChanged, {}, 1, false});
}

void VirtualHidLibrary::Unplug() {
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return;
    plugged_ = false;
  }
  Enqueue(Delivery{device::kEventDeviceCountChanged, {}, 0, false});
}

bool VirtualHidLibrary::plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void VirtualHidLibrary::SendEvent(std::uint16_t code) {
  Delivery delivery{device::kEventInputReport, {}, 0, true};
  delivery.bytes = {static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8)};
  Enqueue(std::move(delivery));
}

std::vector<std::uint8_t> VirtualHidLibrary::LastStatusBytes() const {
  std::lock_guard lock(mutex_);
  return last_status_;
}

void VirtualHidLibrary::SetAfterRequestHook(std::function<void(std::uint8_t)> hook) {
  std::lock_guard lock(mutex_);
  after_request_ = std::move(hook);
}

void VirtualHidLibrary::SetProductId(std::uint16_t product_id) {
  std::lock_guard lock(mutex_);
  product_id_ = product_id;
}

std::uint16_t VirtualHidLibrary::product_id() const {
  std::lock_guard lock(mutex_);
  return product_id_;
}

void VirtualHidLibrary::Drain() {
  std::unique_lock lock(mutex_);
  drained_cv_.wait(lock, [this] { return queue_.empty() && !delivering_; });
}

void VirtualHidLibrary::Enqueue(Delivery delivery) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(delivery));
  }
  queue_cv_.notify_one();
}

void VirtualHidLibrary::DeliveryLoop() {
  for (;;) {
    Delivery delivery;
    {
      std::unique_lock lock(mutex_);
      queue_cv_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      delivery = std::move(queue_.front());
      queue_.pop_front();
      delivering_ = true;
    }
    Deliver(delivery);
    {
      std::lock_guard lock(mutex_);
      delivering_ = false;
    }
    drained_cv_.notify_all();
  }
}

void VirtualHidLibrary::Deliver(const Delivery& delivery) {
  // Requests are answered here, on the library's own thread, as a USB device would.
  std::vector<std::uint8_t> input;
  const DeviceSelector* interface = &device::kControlSelector;
  if (delivery.kind == device::kEventInputReport && !delivery.consumer) {
    device::ReportBytes request{};
    std::memcpy(request.data(), delivery.bytes.data(), request.size());
    const FaultPlan faults = firmware_.Faults();
    if (faults.latency_ms > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(faults.latency_ms));
    }
    const auto reply = firmware_.Handle(request);
    std::function<void(std::uint8_t)> after;
    {
      std::lock_guard lock(mutex_);
      after = after_request_;
    }
    if (after) after(request[device::kOffsetCommand]);
    if (!reply) return;
    traffic_.Record(false, *reply);
    input.assign(reply->begin(), reply->end());
  } else if (delivery.consumer) {
    input = delivery.bytes;
    interface = &device::kConsumerSelector;
  }

  std::vector<Subscription> targets;
  {
    std::lock_guard lock(mutex_);
    for (const auto& s : subscriptions_) {
      if (SameInterface(s.selector, *interface)) targets.push_back(s);
    }
  }

  // The records as the callback reads them; the consumer input hangs off a holder record.
  std::uint8_t holder[device::kConsumerHolderSize] = {};
  device::WriteField(holder, device::kConsumerHolderInputOffset,
                     static_cast<const std::uint8_t*>(input.data()));
  for (const auto& target : targets) {
    std::uint8_t subscription[device::kSubscriptionRecordSize] = {};
    std::uint8_t event[device::kEventRecordSize] = {};
    device::WriteField<std::uint32_t>(subscription, device::kSubscriptionContextOffset,
                                      target.context);
    const std::uint32_t count = delivery.kind == device::kEventDeviceCountChanged
                                    ? delivery.count
                                    : static_cast<std::uint32_t>(input.size());
    device::WriteField<std::uint32_t>(subscription, device::kSubscriptionCountOffset, count);
    device::WriteField(subscription, device::kSubscriptionInputOffset,
                       static_cast<const std::uint8_t*>(input.data()));
    device::WriteField(subscription, device::kSubscriptionConsumerHolderOffset,
                       static_cast<const std::uint8_t*>(holder));
    device::WriteField<std::uint32_t>(event, device::kEventKindOffset, delivery.kind);
    device::WriteField(event, device::kEventSubscriptionOffset,
                       static_cast<const std::uint8_t*>(subscription));
    target.callback(event);
  }
}

}  // namespace tarvolin::vkb
