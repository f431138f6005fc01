#include "vkb/plug_storm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvolin::vkb {
namespace {

TEST(PlugStormTest, ParsesCountsAndTimesAndRefusesTheRest) {
  const auto fixed = ParsePlugStorm("storm 1000 20 5");
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->cycles, 1000);
  EXPECT_EQ(fixed->up.min_ms, 20);
  EXPECT_EQ(fixed->up.max_ms, 20);
  EXPECT_EQ(fixed->down.min_ms, 5);
  const auto ranged = ParsePlugStorm("  storm 0x10 0-60000 7-7 ");
  ASSERT_TRUE(ranged);
  EXPECT_EQ(ranged->cycles, 16);
  EXPECT_EQ(ranged->up.min_ms, 0);
  EXPECT_EQ(ranged->up.max_ms, 60000);
  EXPECT_EQ(ranged->down.max_ms, 7);
  for (const char* line :
       {"storm", "storm 10 5", "storm 10 5 5 5", "storm 0 5 5", "storm 1000001 5 5",
        "storm 10 -5 5", "storm 10 9-3 5", "storm 10 5 60001", "storm 10 5- 5", "storm 10 -5- 5",
        "storm x 5 5", "storms 10 5 5", "plug"}) {
    EXPECT_FALSE(ParsePlugStorm(line)) << line;
  }
  EXPECT_TRUE(IsPlugStormCommand("storm 10 5"));  // a storm, if a malformed one
  EXPECT_FALSE(IsPlugStormCommand("status"));
}

TEST(PlugStormTest, CyclesEndPluggedWithTimesInRangeAndRepeatable) {
  const PlugStormPlan plan{50, {10, 20}, {3, 3}};
  const auto run = [&plan] {
    std::vector<std::string> sent;
    std::vector<long> sleeps;
    const PlugStormOutcome outcome = RunPlugStorm(
        plan,
        [&sent](std::string_view line) {
          sent.emplace_back(line);
          return std::string("ok");
        },
        [&sleeps](long ms) { sleeps.push_back(ms); });
    EXPECT_EQ(outcome.cycles_done, 50);
    EXPECT_EQ(outcome.error, "");
    return std::pair(sent, sleeps);
  };
  const auto [sent, sleeps] = run();
  ASSERT_EQ(sent.size(), 100u);
  ASSERT_EQ(sleeps.size(), 100u);
  bool varied = false;
  for (std::size_t i = 0; i < sent.size(); i += 2) {
    EXPECT_EQ(sent[i], "unplug");
    EXPECT_EQ(sent[i + 1], "plug");
    EXPECT_EQ(sleeps[i], 3);
    EXPECT_GE(sleeps[i + 1], 10);
    EXPECT_LE(sleeps[i + 1], 20);
    varied = varied || sleeps[i + 1] != sleeps[1];
  }
  EXPECT_TRUE(varied);
  EXPECT_EQ(run().second, sleeps);
}

TEST(PlugStormTest, StopsAtTheFirstRefusalOrSilence) {
  int calls = 0;
  auto refuse_fifth = [&calls](std::string_view) {
    return ++calls == 5 ? std::string("error: no") : std::string("ok");
  };
  const auto no_sleep = [](long) {};
  PlugStormOutcome outcome = RunPlugStorm({10, {0, 0}, {0, 0}}, refuse_fifth, no_sleep);
  EXPECT_EQ(outcome.cycles_done, 2);
  EXPECT_EQ(outcome.error, "error: no");
  EXPECT_EQ(calls, 5);
  outcome = RunPlugStorm(
      {10, {0, 0}, {0, 0}}, [](std::string_view) { return std::string(); }, no_sleep);
  EXPECT_EQ(outcome.cycles_done, 0);
  EXPECT_EQ(outcome.error, "error: the keyboard host did not answer");
}

}  // namespace
}  // namespace tarvolin::vkb
