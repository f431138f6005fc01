#include "vkb/keyboard_device.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tarvolin::vkb {
namespace {

// The keyboard answers on its polling tick. A plain sleep overshoots by the system's timer
// slack (on Windows a whole millisecond), which a measurement would charge to the host; so
// sleep to just short of the deadline and spin through the rest.
void WaitUntilLatencyPassed(std::chrono::steady_clock::time_point deadline) {
#ifdef _WIN32
  constexpr auto kSpin = std::chrono::milliseconds(2);
#else
  constexpr auto kSpin = std::chrono::microseconds(300);
#endif
  if (deadline - std::chrono::steady_clock::now() > kSpin) {
    std::this_thread::sleep_until(deadline - kSpin);
  }
  while (std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
}

}  // namespace

bool IsIndicatorWrite(const device::DeviceSelector& selector, std::uint32_t context,
                      std::size_t length) {
  const auto& indicator = device::kIndicatorSelector;
  return selector.usage_page == indicator.usage_page && selector.usage == indicator.usage &&
         context == device::kContextIndicator && length == 2;
}

void KeyboardDevice::Reset() {
  firmware_.ResetToFactory();
  traffic_.Clear();
  bool was_plugged = false;
  std::uint16_t old_id = 0;
  {
    std::lock_guard lock(mutex_);
    was_plugged = plugged_;
    old_id = product_id_;
    plugged_ = true;
    product_id_ = device::kProductId;
    last_status_.clear();
    after_request_ = nullptr;
  }
  if (old_id != device::kProductId) {
    NotifyAll([](KeyboardListener& l) { l.ProductIdChanged(device::kProductId); });
  }
  if (!was_plugged) NotifyAll([](KeyboardListener& l) { l.DeviceCountChanged(1); });
}

std::vector<device::ReportBytes> KeyboardDevice::Answer(const device::ReportBytes& request) {
  traffic_.Record(true, request);
  const FaultPlan faults = firmware_.Faults();
  if (faults.latency_ms > 0) {
    WaitUntilLatencyPassed(std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(faults.latency_ms));
  }
  std::vector<device::ReportBytes> sent;
  if (const auto reply = firmware_.Handle(request)) {
    sent.push_back(*reply);
    if (firmware_.TakeStrayReport()) {
      device::ReportBytes stray = *reply;
      stray[device::kOffsetCommand] =
          static_cast<std::uint8_t>(stray[device::kOffsetCommand] ^ 0x80);
      std::fill(stray.begin() + device::kOffsetPayload, stray.end(), std::uint8_t{0xEE});
      device::SealReport(stray);
      sent.push_back(stray);
    }
  }
  for (const auto& report : sent) traffic_.Record(false, report);
  std::function<void(std::uint8_t)> after;
  {
    std::lock_guard lock(mutex_);
    after = after_request_;
  }
  if (after) after(request[device::kOffsetCommand]);
  return sent;
}

bool KeyboardDevice::Presents(const device::DeviceSelector& selector) const {
  std::lock_guard lock(mutex_);
  return plugged_ && selector.vendor_id == device::kVendorId && selector.product_id == product_id_;
}

void KeyboardDevice::Plug() {
  {
    std::lock_guard lock(mutex_);
    if (plugged_) return;
    plugged_ = true;
  }
  NotifyAll([](KeyboardListener& l) { l.DeviceCountChanged(1); });
}

void KeyboardDevice::Unplug() {
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return;
    plugged_ = false;
  }
  NotifyAll([](KeyboardListener& l) { l.DeviceCountChanged(0); });
}

bool KeyboardDevice::plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void KeyboardDevice::SendEvent(std::uint16_t code) {
  NotifyAll([code](KeyboardListener& l) { l.ConsumerInput(code); });
}

bool KeyboardDevice::StatusWrite(const device::DeviceSelector& selector, std::uint32_t context,
                                 std::span<const std::uint8_t> bytes) {
  if (!IsIndicatorWrite(selector, context, bytes.size()) || !Presents(selector)) return false;
  std::lock_guard lock(mutex_);
  last_status_.assign(bytes.begin(), bytes.end());
  return true;
}

std::vector<std::uint8_t> KeyboardDevice::LastStatusBytes() const {
  std::lock_guard lock(mutex_);
  return last_status_;
}

void KeyboardDevice::SetProductId(std::uint16_t product_id) {
  {
    std::lock_guard lock(mutex_);
    if (product_id_ == product_id) return;
    product_id_ = product_id;
  }
  NotifyAll([product_id](KeyboardListener& l) { l.ProductIdChanged(product_id); });
}

std::uint16_t KeyboardDevice::product_id() const {
  std::lock_guard lock(mutex_);
  return product_id_;
}

void KeyboardDevice::SetAfterRequestHook(std::function<void(std::uint8_t)> hook) {
  std::lock_guard lock(mutex_);
  after_request_ = std::move(hook);
}

void KeyboardDevice::AddListener(KeyboardListener* listener) {
  std::lock_guard lock(listeners_mutex_);
  listeners_.push_back(listener);
}

void KeyboardDevice::RemoveListener(KeyboardListener* listener) {
  std::lock_guard lock(listeners_mutex_);
  std::erase(listeners_, listener);
}

template <typename Notify>
void KeyboardDevice::NotifyAll(Notify&& notify) {
  std::lock_guard lock(listeners_mutex_);
  for (KeyboardListener* listener : listeners_) notify(*listener);
}

}  // namespace tarvolin::vkb
