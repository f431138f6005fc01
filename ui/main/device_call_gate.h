#pragma once
// Calls from the HID library's threads into the main window pass this gate. Shutdown closes
// it before anything is freed: calls that arrive later are dropped, and Close waits for the
// calls already inside. Portable.
#include <atomic>
#include <functional>
#include <mutex>

namespace tarvolin::mainwnd {

class DeviceCallGate {
 public:
  // A call in progress; empty when the gate was closed.
  class Pass {
   public:
    Pass() = default;
    explicit Pass(DeviceCallGate* gate) : gate_(gate) {}
    Pass(Pass&& other) noexcept : gate_(other.gate_) { other.gate_ = nullptr; }
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;
    Pass& operator=(Pass&&) = delete;
    ~Pass() {
      if (gate_ != nullptr) gate_->Leave();
    }
    explicit operator bool() const { return gate_ != nullptr; }

   private:
    DeviceCallGate* gate_ = nullptr;
  };

  Pass Enter();
  bool IsOpen() const { return open_.load(); }
  // Closes the gate, then runs `waitOnce` until no call is inside. The user-interface thread
  // passes a step that handles sent messages, because a call inside may be waiting for it.
  void Close(const std::function<void()>& waitOnce);

 private:
  void Leave();

  std::mutex mutex_;
  std::atomic<bool> open_{true};
  std::atomic<int> inside_{0};
};

}  // namespace tarvolin::mainwnd
