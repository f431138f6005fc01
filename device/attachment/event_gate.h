#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>

namespace tarvolin::attachment {

// Lets device threads reach the main window only while it is open for business. The window
// closes the gate first thing at shutdown: from then on every call through the gate is
// dropped, and Close returns only after the calls already inside have left, so nothing frees
// what a device thread is still using.
class EventGate {
 public:
  // Runs `call` unless the gate is closed; false when it was dropped.
  bool Run(const std::function<void()>& call);
  bool IsOpen() const;

  // Closes the gate and waits for the calls inside. A call inside may be a sent message
  // that the closing thread itself must handle, so the wait runs `wait_step` (the window
  // pumps its sent messages there) until the gate is empty; without one it just waits.
  void Close(const std::function<void()>& wait_step = {});

 private:
  mutable std::mutex mutex_;
  std::condition_variable left_;
  bool open_ = true;
  int inside_ = 0;
};

}  // namespace tarvolin::attachment
