#include "device/completion_event.h"

#include <chrono>

namespace tarvolin::device {

void ThreadCompletionEvent::Reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

void ThreadCompletionEvent::Signal() {
  {
    std::lock_guard lock(mutex_);
    signalled_ = true;
  }
  signalled_cv_.notify_one();
}

WaitResult ThreadCompletionEvent::Wait(std::uint32_t timeout_ms) {
  std::unique_lock lock(mutex_);
  if (!signalled_cv_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                              [this] { return signalled_; })) {
    return WaitResult::kTimeout;
  }
  signalled_ = false;  // auto-reset
  return WaitResult::kSignalled;
}

}  // namespace tarvolin::device
