#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "device/completion_event.h"
#include "platform/clock.h"

namespace tarvolin::testing {

// A clock for threaded tests whose sleeps last 1/`divisor` of their length, so the channel's
// 1001 ms back-off and 10 ms pauses cost (almost) nothing while threads still interleave.
class QuickClock final : public Clock {
 public:
  explicit QuickClock(std::uint32_t divisor) : divisor_(divisor) {}
  std::uint64_t NowMs() override { return 0; }
  void SleepMs(std::uint32_t ms) override {
    std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000ull / divisor_));
  }

 private:
  std::uint32_t divisor_;
};

// A real auto-reset event whose time-outs last 1/`divisor` of their length: with divisor 500
// the channel's 1000 ms wait is 2 ms, so a keyboard with a latency of a few ms is slower than
// the time-out.
class QuickTimeoutEvent final : public device::CompletionEvent {
 public:
  explicit QuickTimeoutEvent(std::uint32_t divisor) : divisor_(divisor) {}
  void Reset() override {
    std::lock_guard lock(mutex_);
    signalled_ = false;
  }
  void Signal() override {
    {
      std::lock_guard lock(mutex_);
      signalled_ = true;
    }
    cv_.notify_one();
  }
  device::WaitResult Wait(std::uint32_t timeout_ms) override {
    std::unique_lock lock(mutex_);
    if (!cv_.wait_for(lock, std::chrono::microseconds(timeout_ms * 1000ull / divisor_),
                      [this] { return signalled_; })) {
      return device::WaitResult::kTimeout;
    }
    signalled_ = false;
    return device::WaitResult::kSignalled;
  }

 private:
  std::uint32_t divisor_;
  std::mutex mutex_;
  std::condition_variable cv_;
  bool signalled_ = false;
};

}  // namespace tarvolin::testing
