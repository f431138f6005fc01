#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvolin::vkb {

// A time in milliseconds, fixed ("20") or picked anew for every cycle from a range ("5-80").
struct StormTime {
  long min_ms = 0;
  long max_ms = 0;
};

// "storm N UP_MS DOWN_MS": N times unplug, DOWN_MS unplugged, plug, UP_MS plugged. The
// keyboard is plugged at the end of every cycle.
struct PlugStormPlan {
  long cycles = 0;
  StormTime up;
  StormTime down;
};

// Nothing unless `line` is a well-formed storm command (N 1..1000000, times 0..60000 ms, a
// range's low end not above its high end).
std::optional<PlugStormPlan> ParsePlugStorm(std::string_view line);
bool IsPlugStormCommand(std::string_view line);

struct PlugStormOutcome {
  long cycles_done = 0;  // whole cycles, each ending plugged
  std::string error;     // the refused command's answer; empty when every cycle ran
};

// Runs the plan: `send` delivers one control command and returns its answer (empty when the
// keyboard could not be reached), `sleep_ms` waits. Stops at the first answer that is not
// "ok". The random times come from a fixed seed, so two runs of one plan are alike.
PlugStormOutcome RunPlugStorm(const PlugStormPlan& plan,
                              const std::function<std::string(std::string_view)>& send,
                              const std::function<void(long)>& sleep_ms);

}  // namespace tarvolin::vkb
