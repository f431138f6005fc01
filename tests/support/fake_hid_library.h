#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "device/completion_event.h"
#include "device/device_report.h"
#include "device/hid_library.h"
#include "platform/clock.h"

namespace tarvolin::testing {

// Time that moves only when someone sleeps; sleeps are recorded.
class FakeClock final : public Clock {
 public:
  std::uint64_t NowMs() override { return now_; }
  void SleepMs(std::uint32_t ms) override {
    sleeps.push_back(ms);
    now_ += ms;
  }
  std::vector<std::uint32_t> sleeps;

 private:
  std::uint64_t now_ = 0;
};

// An event whose wait never blocks: signalled or an immediate time-out (or a failed wait).
class InstantEvent final : public device::CompletionEvent {
 public:
  void Reset() override { signalled_ = false; }
  void Signal() override { signalled_ = true; }
  device::WaitResult Wait(std::uint32_t timeout_ms) override {
    waits.push_back(timeout_ms);
    if (fail_waits) return device::WaitResult::kFailed;
    const bool was = signalled_;
    signalled_ = false;
    return was ? device::WaitResult::kSignalled : device::WaitResult::kTimeout;
  }
  std::vector<std::uint32_t> waits;
  bool fail_waits = false;

 private:
  bool signalled_ = false;
};

// A scripted HID library: each written report is answered synchronously through the
// callback by `respond` (nothing = no reply). One instance at a time.
class FakeHidLibrary {
 public:
  using Responder =
      std::function<std::optional<std::vector<std::uint8_t>>(const device::ReportBytes& request)>;

  FakeHidLibrary();
  ~FakeHidLibrary();

  device::HidLibraryApi Api() const;

  // Delivers raw input on the control interface, as if the keyboard sent it unasked.
  void DeliverControlInput(const std::vector<std::uint8_t>& bytes);
  // A device-count change, to the control subscription or, as the library sends it, to every
  // subscription.
  void DeliverDeviceCount(std::uint32_t count);
  void DeliverDeviceCountToAll(std::uint32_t count);
  void DeliverConsumerCode(std::uint16_t code);

  int device_count = 1;
  int write_result = 64;
  int init_result = 1;
  Responder respond;
  // Runs after each written report has had its reply, e.g. to send something unasked.
  std::function<void(const device::ReportBytes& request)> after_reply;
  std::vector<device::ReportBytes> written;
  std::vector<std::uint32_t> deleted_units;
  std::vector<std::vector<std::uint8_t>> status_writes;

  // Echo replies: command echoed, status as given, payload from `payload`.
  static Responder Echo(std::uint8_t status = 0);

  struct Subscription {
    std::uint32_t id;
    device::DeviceSelector selector;
    device::InputCallback callback;
    std::uint32_t context;
  };
  std::vector<Subscription> subscriptions;
  std::uint32_t next_unit = 1;

  void Deliver(std::uint32_t kind, std::uint32_t context_wanted,
               const std::vector<std::uint8_t>& bytes, std::uint32_t count);
};

}  // namespace tarvolin::testing
