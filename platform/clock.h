#pragma once
#include <cstdint>

namespace tarvolin {

// Time as the device channel sees it. Tests inject a fake so time-outs cost nothing.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint64_t NowMs() = 0;
  virtual void SleepMs(std::uint32_t ms) = 0;
};

// The real clock: steady time and a real sleep.
Clock& SystemClock();

}  // namespace tarvolin
