#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tarvolin::device {

enum class WaitResult { kSignalled, kTimeout, kFailed };

// An auto-reset event, created non-signalled: one waiter is released per Signal.
class CompletionEvent {
 public:
  virtual ~CompletionEvent() = default;
  virtual void Reset() = 0;
  virtual void Signal() = 0;
  virtual WaitResult Wait(std::uint32_t timeout_ms) = 0;
};

class ThreadCompletionEvent final : public CompletionEvent {
 public:
  void Reset() override;
  void Signal() override;
  WaitResult Wait(std::uint32_t timeout_ms) override;

 private:
  std::mutex mutex_;
  std::condition_variable signalled_cv_;
  bool signalled_ = false;
};

}  // namespace tarvolin::device
