#include "device/device_channel.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tarvolin::device {
namespace {

// The channel the library's callback routes to; the callback carries no instance.
std::atomic<DeviceChannel*> g_routed_channel{nullptr};

}  // namespace

DeviceChannel::DeviceChannel(Clock& clock, std::unique_ptr<CompletionEvent> event)
    : clock_(clock),
      completion_(event ? std::move(event) : std::make_unique<ThreadCompletionEvent>()) {}

DeviceChannel::~DeviceChannel() {
  DeviceChannel* self = this;
  g_routed_channel.compare_exchange_strong(self, nullptr);
}

bool DeviceChannel::Bind(const HidLibraryApi& api) {
  api_ = api;
  bound_ = api_.Init != nullptr && api_.Init(0) > 0;
  return bound_;
}

void DeviceChannel::Subscribe() {
  if (!bound_) return;
  g_routed_channel.store(this);
  api_.DeleteRequestFromUnitId(consumer_unit_);
  api_.RequestAsyncRead(&kConsumerSelector, &DeviceChannel::InputCallback, kContextConsumer,
                        &consumer_unit_);
  {
    std::lock_guard slot(slot_mutex_);
    in_flight_ = 0;
  }
  completion_->Reset();
  api_.DeleteRequestFromUnitId(control_unit_);
  api_.RequestAsyncRead(&kControlSelector, &DeviceChannel::InputCallback, kContextControl,
                        &control_unit_);
}

int DeviceChannel::DeviceCount() {
  if (!bound_) return 0;
  return api_.RequestGetDeviceCount(&kControlSelector);
}

int DeviceChannel::Transact(const std::uint8_t* request, std::size_t request_length,
                            std::uint8_t* reply, std::uint32_t reply_capacity,
                            std::uint32_t* received_length, std::uint32_t required_reply_length) {
  std::lock_guard transaction(transaction_mutex_);
  const int result = TransactLocked(request, request_length, reply, reply_capacity, received_length,
                                    required_reply_length);
  // Every return clears the flag. The slot forgets the caller's buffer under the slot lock,
  // so a reply that comes late can never be copied into a buffer that is gone.
  std::lock_guard slot(slot_mutex_);
  in_flight_ = 0;
  slot_destination_ = nullptr;
  slot_capacity_ = 0;
  return result;
}

void DeviceChannel::OpenSlot(std::uint8_t* reply, std::uint32_t capacity) {
  // Reset before the slot opens: a signal left over from an earlier attempt must not end this
  // one, while input arriving once the slot is open is never lost.
  completion_->Reset();
  std::lock_guard slot(slot_mutex_);
  // A reply that is short or never comes must not leave an earlier attempt's bytes behind.
  std::memset(reply, 0, capacity);
  slot_destination_ = reply;
  slot_capacity_ = capacity;
  slot_received_ = 0;
  slot_filled_ = false;
  in_flight_ = 1;
}

DeviceChannel::Received DeviceChannel::CloseSlot(const std::uint8_t* request,
                                                 std::uint32_t required_reply_length,
                                                 std::uint32_t* received_length) {
  std::lock_guard slot(slot_mutex_);
  in_flight_ = 0;
  if (!slot_filled_) return Received::kNothing;
  const std::uint8_t* reply = slot_destination_;
  // The keyboard answers with the request's header: a reply that is cut short or names
  // another command, length or address belongs to some other request.
  const bool whole = slot_received_ >= std::max(required_reply_length, kReplyHeaderSize);
  const bool same_header = whole && reply[kOffsetCommand] == request[kOffsetCommand] &&
                           reply[kOffsetLength] == request[kOffsetLength] &&
                           reply[kOffsetAddress] == request[kOffsetAddress] &&
                           reply[kOffsetAddress + 1] == request[kOffsetAddress + 1];
  if (!same_header) return Received::kForeign;
  *received_length = slot_received_;
  return Received::kReply;
}

int DeviceChannel::TransactLocked(const std::uint8_t* request, std::size_t request_length,
                                  std::uint8_t* reply, std::uint32_t reply_capacity,
                                  std::uint32_t* received_length,
                                  std::uint32_t required_reply_length) {
  *received_length = 0;
  if (DeviceCount() <= 0) return kResultNoDevice;

  std::array<std::uint8_t, 64> buffer{};
  std::memcpy(buffer.data(), request, std::min<std::size_t>(request_length, buffer.size()));

  int attempts = 0;
  for (;;) {
    bool busy_wait = false;
    {
      std::lock_guard slot(slot_mutex_);
      busy_wait = in_flight_ != 0;
    }
    if (busy_wait) {
      clock_.SleepMs(kInFlightBackOffMs);
      std::lock_guard slot(slot_mutex_);
      in_flight_ = 0;
    }
    OpenSlot(reply, reply_capacity);

    if (api_.RequestWriteOne(&kControlSelector, buffer.data(), static_cast<int>(buffer.size())) <=
        0) {
      return kResultWriteRefused;
    }

    const WaitResult waited = completion_->Wait(kReplyTimeoutMs);
    if (waited == WaitResult::kFailed) return kResultNoDevice;
    // A reply that lands just as the wait times out still counts: the slot decides.
    const Received received = CloseSlot(buffer.data(), required_reply_length, received_length);
    if (received == Received::kReply) {
      const std::uint8_t status = reply[kOffsetStatus];
      if (status != 0xFF && status != 0xFE) return kResultOk;
      // Refused or busy: the caller judges the status byte of the last one.
      if (++attempts >= kMaxAttempts) return kResultOk;
    } else if (++attempts >= kMaxAttempts) {
      *received_length = 0;
      return kResultNoReply;
    }
    *received_length = 0;
    clock_.SleepMs(kRetryPauseMs);
  }
}

void DeviceChannel::StatusWrite(const std::uint8_t bytes[2]) {
  if (!bound_) return;
  api_.DeleteRequestFromUnitId(status_unit_);
  api_.RequestStatusWrite(&kIndicatorSelector, &DeviceChannel::InputCallback, kContextIndicator,
                          bytes, 2, &status_unit_);
}

void DeviceChannel::SetAttachHook(AttachHook hook) {
  std::lock_guard lock(hooks_mutex_);
  attach_hook_ = std::move(hook);
}

void DeviceChannel::SetEventHook(EventHook hook) {
  std::lock_guard lock(hooks_mutex_);
  event_hook_ = std::move(hook);
}

int DeviceChannel::InputCallback(void* event_record) {
  if (DeviceChannel* channel = g_routed_channel.load(); channel && event_record) {
    channel->Route(event_record);
  }
  return 1;
}

void DeviceChannel::Route(const void* event_record) {
  const auto kind = ReadField<std::uint32_t>(event_record, kEventKindOffset);
  const auto* subscription = ReadField<const std::uint8_t*>(event_record, kEventSubscriptionOffset);
  if (subscription == nullptr) return;
  const auto context = ReadField<std::uint32_t>(subscription, kSubscriptionContextOffset);
  const auto count = ReadField<std::uint32_t>(subscription, kSubscriptionCountOffset);

  if (kind == kEventInputReport && context == kContextControl) {
    const auto* input = ReadField<const std::uint8_t*>(subscription, kSubscriptionInputOffset);
    {
      std::lock_guard slot(slot_mutex_);
      // Nobody waits, or this attempt has its input already: drop it.
      if (in_flight_ == 0 || slot_filled_ || slot_destination_ == nullptr || input == nullptr) {
        return;
      }
      const std::uint32_t n = std::min(count, slot_capacity_);
      std::memcpy(slot_destination_, input, n);
      slot_received_ = n;
      slot_filled_ = true;
    }
    completion_->Signal();
  } else if (kind == kEventInputReport && context == kContextConsumer) {
    const auto* holder =
        ReadField<const std::uint8_t*>(subscription, kSubscriptionConsumerHolderOffset);
    if (holder == nullptr) return;
    const auto* input = ReadField<const std::uint8_t*>(holder, kConsumerHolderInputOffset);
    if (input == nullptr) return;
    const std::uint16_t code = ReadU16Le(std::span(input, 2), 0);
    EventHook hook;
    {
      std::lock_guard lock(hooks_mutex_);
      hook = event_hook_;
    }
    if (hook) hook(code);
  } else if (kind == kEventDeviceCountChanged && context == kContextControl) {
    AttachHook hook;
    {
      std::lock_guard lock(hooks_mutex_);
      hook = attach_hook_;
    }
    if (hook) hook(static_cast<int>(count));
  }
}

}  // namespace tarvolin::device
