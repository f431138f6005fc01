#include "vkb/plug_storm.h"

#include <random>
#include <sstream>
#include <vector>

#include "platform/number_text.h"

namespace tarvolin::vkb {
namespace {

constexpr long kMaxCycles = 1000000;
constexpr long kMaxTimeMs = 60000;

std::optional<StormTime> ParseTime(std::string_view text) {
  const std::size_t dash = text.find('-');
  long low = 0;
  long high = 0;
  if (dash == std::string_view::npos) {
    if (!ParseNumber(text, 0, kMaxTimeMs, low)) return std::nullopt;
    return StormTime{low, low};
  }
  if (!ParseNumber(text.substr(0, dash), 0, kMaxTimeMs, low) ||
      !ParseNumber(text.substr(dash + 1), 0, kMaxTimeMs, high) || low > high) {
    return std::nullopt;
  }
  return StormTime{low, high};
}

long Pick(const StormTime& time, std::minstd_rand& random) {
  if (time.min_ms == time.max_ms) return time.min_ms;
  return std::uniform_int_distribution<long>(time.min_ms, time.max_ms)(random);
}

}  // namespace

bool IsPlugStormCommand(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::string verb;
  return in >> verb && verb == "storm";
}

std::optional<PlugStormPlan> ParsePlugStorm(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.size() != 4 || words[0] != "storm") return std::nullopt;
  PlugStormPlan plan;
  const auto up = ParseTime(words[2]);
  const auto down = ParseTime(words[3]);
  if (!ParseNumber(words[1], 1, kMaxCycles, plan.cycles) || !up || !down) return std::nullopt;
  plan.up = *up;
  plan.down = *down;
  return plan;
}

PlugStormOutcome RunPlugStorm(const PlugStormPlan& plan,
                              const std::function<std::string(std::string_view)>& send,
                              const std::function<void(long)>& sleep_ms) {
  std::minstd_rand random(20261209);
  PlugStormOutcome outcome;
  for (long cycle = 0; cycle < plan.cycles; ++cycle) {
    for (const char* command : {"unplug", "plug"}) {
      const std::string answer = send(command);
      if (answer != "ok") {
        outcome.error = answer.empty() ? "error: the keyboard host did not answer" : answer;
        return outcome;
      }
      sleep_ms(Pick(command[0] == 'u' ? plan.down : plan.up, random));
    }
    ++outcome.cycles_done;
  }
  return outcome;
}

}  // namespace tarvolin::vkb
