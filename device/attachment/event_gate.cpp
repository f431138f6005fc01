#include "device/attachment/event_gate.h"

#include <chrono>

namespace tarvolin::attachment {

bool EventGate::Run(const std::function<void()>& call) {
  {
    std::lock_guard lock(mutex_);
    if (!open_) return false;
    ++inside_;
  }
  struct Leave {
    EventGate& gate;
    ~Leave() {
      {
        std::lock_guard lock(gate.mutex_);
        --gate.inside_;
      }
      gate.left_.notify_all();
    }
  } leave{*this};
  call();
  return true;
}

bool EventGate::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

void EventGate::Close(const std::function<void()>& wait_step) {
  std::unique_lock lock(mutex_);
  open_ = false;
  if (!wait_step) {
    left_.wait(lock, [this] { return inside_ == 0; });
    return;
  }
  // The call inside may be waiting for this very thread, so let it in between short waits.
  while (inside_ != 0) {
    lock.unlock();
    wait_step();
    lock.lock();
    left_.wait_for(lock, std::chrono::milliseconds(1), [this] { return inside_ == 0; });
  }
}

}  // namespace tarvolin::attachment
