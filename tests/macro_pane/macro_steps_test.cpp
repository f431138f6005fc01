#include "ui/dialogs/macro_pane/macro_steps.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarvolin::dialogs {
namespace {

using model::kPress;
using model::kRelease;
using model::MacroAction;
using model::MacroRecord;

constexpr std::uint16_t kA = 0x1E;
constexpr std::size_t kNoLimit = MacroRecord::kMaxActions;

TEST(MacroSteps, RecordedDelaysFollowTheFlag) {
  EXPECT_EQ(RecordedDelay(1, 300), 300u);
  EXPECT_EQ(RecordedDelay(0, 300), 50u);
  EXPECT_EQ(RecordedDelay(2, 300), 0u);
  EXPECT_EQ(RecordedDelay(-1, 300), 0u);
}

// A press, 300 ms, a release at the end of an empty list: the press carries the pause, the
// release (the last step) none.
TEST(MacroSteps, RecordingAtTheEndKeepsEachPauseOnTheStepBeforeIt) {
  MacroSteps steps;
  EXPECT_EQ(steps.InsertRecorded(-1, 1234, kA, kPress, kNoLimit), 0);
  EXPECT_EQ(steps.InsertRecorded(0, 300, kA, kRelease, kNoLimit), 1);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0], (MacroAction{300, kA, kPress}));
  EXPECT_EQ(steps[1], (MacroAction{0, kA, kRelease}));
  // A direction above 1 is a press.
  EXPECT_EQ(steps.InsertRecorded(1, 10, kA, 7, kNoLimit), 2);
  EXPECT_EQ(steps[2].direction, kPress);
}

// Row 3 of 10 selected (index 2): the new steps go after it, and the pause that followed
// row 3 moves to the last inserted step.
TEST(MacroSteps, RecordingAfterASelectedRowMovesItsPauseToTheLastNewStep) {
  std::vector<MacroAction> initial;
  for (std::uint16_t i = 0; i < 10; ++i) initial.push_back({100u + i, i, kPress});
  MacroSteps steps;
  steps.Assign(initial);
  int row = steps.InsertRecorded(2, 40, 0x20, kPress, kNoLimit);
  EXPECT_EQ(row, 3);
  row = steps.InsertRecorded(row, 60, 0x20, kRelease, kNoLimit);
  EXPECT_EQ(row, 4);
  ASSERT_EQ(steps.size(), 12u);
  EXPECT_EQ(steps[2], (MacroAction{40, 2, kPress}));
  EXPECT_EQ(steps[3], (MacroAction{60, 0x20, kPress}));
  EXPECT_EQ(steps[4], (MacroAction{102, 0x20, kRelease}));
  EXPECT_EQ(steps[5], initial[3]);
  EXPECT_EQ(steps[11], initial[9]);
  // A selection outside the list appends.
  EXPECT_EQ(steps.InsertRecorded(99, 5, kA, kPress, kNoLimit), 12);
}

TEST(MacroSteps, TheLimitDropsTheEventAndChangesNothing) {
  MacroSteps steps;
  std::vector<MacroAction> full(MacroRecord::kMaxActions, MacroAction{10, kA, kPress});
  steps.Assign(full);
  EXPECT_EQ(steps.InsertRecorded(-1, 5, kA, kRelease, kNoLimit), -1);
  EXPECT_EQ(steps.steps(), full);
  steps.Assign(std::vector<MacroAction>(3, MacroAction{10, kA, kPress}));
  EXPECT_EQ(steps.InsertRecorded(0, 5, kA, kRelease, 3), -1);
  EXPECT_EQ(steps[0].delay_ms, 10u);
}

TEST(MacroSteps, MovesAndRemovalsKeepEveryPause) {
  MacroSteps steps;
  steps.Assign(std::vector<MacroAction>{{1, 1, kPress}, {2, 2, kPress}, {3, 3, kRelease}});
  EXPECT_EQ(steps.Move(2, 0), 0);
  EXPECT_EQ(steps.steps(),
            (std::vector<MacroAction>{{3, 3, kRelease}, {1, 1, kPress}, {2, 2, kPress}}));
  EXPECT_EQ(steps.Move(0, 2), 2);
  EXPECT_EQ(steps.Move(0, 3), -1);
  EXPECT_EQ(steps.Move(-1, 0), -1);
  EXPECT_TRUE(steps.Remove(1));
  EXPECT_FALSE(steps.Remove(2));
  EXPECT_EQ(steps.steps(), (std::vector<MacroAction>{{1, 1, kPress}, {3, 3, kRelease}}));
  EXPECT_TRUE(steps.SetDelay(0, 70));
  EXPECT_TRUE(steps.SetCode(1, 0x1F));
  EXPECT_FALSE(steps.SetDirection(1, 2));
  EXPECT_TRUE(steps.SetDirection(1, kPress));
  EXPECT_FALSE(steps.SetDelay(2, 1));
  EXPECT_EQ(steps.steps(), (std::vector<MacroAction>{{70, 1, kPress}, {3, 0x1F, kPress}}));
}

TEST(MacroSteps, TypedDelaysAreClampedAndRoundedDown) {
  struct Case {
    std::u16string text;
    std::uint32_t ms;
    bool above;
  };
  const std::vector<Case> cases = {
      {u"12345", 12340, false},
      {u"50000", 40000, true},
      {u"40000", 40000, false},
      {u"40001", 40000, true},
      {u"39999", 39990, false},
      {u"-1", 40000, true},
      {u"9", 0, false},
      {u"", 0, false},
      {u"abc", 0, false},
      {u" 25ms", 20, false},
      {u"99999999999", 40000, true},
  };
  for (const Case& c : cases) {
    const TypedDelay delay = ParseTypedDelay(c.text);
    EXPECT_EQ(delay.ms, c.ms) << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(delay.aboveLimit, c.above) << std::string(c.text.begin(), c.text.end());
  }
}

TEST(MacroSteps, PlayCountsStayWithinOneTo255) {
  EXPECT_EQ(ParsePlayCount(u"1").count, 1);
  EXPECT_FALSE(ParsePlayCount(u"1").rewrite);
  EXPECT_EQ(ParsePlayCount(u"255").count, 255);
  EXPECT_FALSE(ParsePlayCount(u"255").rewrite);
  for (const std::u16string text : {u"0", u"-4", u"", u"x9"}) {
    EXPECT_EQ(ParsePlayCount(text).count, 1);
    EXPECT_TRUE(ParsePlayCount(text).rewrite);
  }
  for (const std::u16string text : {u"256", u"300", u"4294967296"}) {
    EXPECT_EQ(ParsePlayCount(text).count, 255);
    EXPECT_TRUE(ParsePlayCount(text).rewrite);
  }
}

// The limit counts the other macros' steps and headers against the image's room, and never
// exceeds a record's 2000 steps.
TEST(MacroSteps, RecordingLimitLeavesRoomForTheOtherMacros) {
  std::vector<std::unique_ptr<MacroRecord>> records;
  for (int i = 0; i < 3; ++i) records.push_back(std::make_unique<MacroRecord>());
  records[0]->action_count = 1000;
  records[1]->action_count = 500;  // the current one: not counted
  std::vector<const MacroRecord*> view{records[0].get(), records[1].get(), records[2].get()};
  EXPECT_EQ(RecordingStepLimit(view, 1, 0), 2000u);
  EXPECT_EQ(RecordingStepLimit(view, 1, 12800), 2000u);
  // 16 + 3 * 2 + 3 * 4 + 1000 * 4 = 4034 bytes used.
  EXPECT_EQ(RecordingStepLimit(view, 1, 4034 + 4 * 700 + 3), 700u);
  EXPECT_EQ(RecordingStepLimit(view, 1, 4034), 0u);
  EXPECT_EQ(RecordingStepLimit(view, 1, 100), 0u);
  // Capacities above the format's 16-bit limit count as that limit.
  records[0]->action_count = 2000;
  records[2]->action_count = 2000;
  std::vector<std::unique_ptr<MacroRecord>> many;
  std::vector<const MacroRecord*> big;
  for (int i = 0; i < 9; ++i) {
    many.push_back(std::make_unique<MacroRecord>());
    many.back()->action_count = 2000;
    big.push_back(many.back().get());
  }
  // 16 + 18 + 36 + 8 * 8000 = 64070 used, 65535 room: 366 steps.
  EXPECT_EQ(RecordingStepLimit(big, 0, 0x7FFFFFFF), 366u);
}

}  // namespace
}  // namespace tarvolin::dialogs
