#include "ui/dialogs/composite/composite_rules.h"

#include <gtest/gtest.h>

#include "model/key_buttons.h"

namespace tarvolin::composite {
namespace {

using model::AssignmentType;

TEST(CompositePlacement, TakesTheFirstCornerThatFits) {
  const ScreenRect button{500, 300, 540, 340};
  // Room everywhere: right-below.
  EXPECT_EQ((ScreenPoint{540, 340}), PlaceBesideButton(button, 480, 410, 1920, 1080));
  // Too low for below: right-above.
  EXPECT_EQ((ScreenPoint{540, 300 - 200}), PlaceBesideButton(button, 300, 200, 1920, 500));
  // Near the right edge: left-below.
  EXPECT_EQ((ScreenPoint{500 - 480, 340}), PlaceBesideButton(button, 480, 410, 900, 1080));
  // Near the right and bottom edges: left-above.
  EXPECT_EQ((ScreenPoint{500 - 480, 300 - 250}), PlaceBesideButton(button, 480, 250, 900, 500));
  // Nothing fits: right-below anyway.
  EXPECT_EQ((ScreenPoint{540, 340}), PlaceBesideButton(button, 600, 400, 700, 500));
  // Exactly enough room counts as fitting.
  EXPECT_EQ((ScreenPoint{540, 340}), PlaceBesideButton(button, 100, 60, 640, 400));
  EXPECT_EQ((ScreenPoint{0, 340}), PlaceBesideButton(button, 500, 60, 639, 400));
}

TEST(CompositeCycles, ClampsIntoOneTo255) {
  EXPECT_EQ(1, CyclesOfText(u"0"));
  EXPECT_EQ(1, CyclesOfText(u"-7"));
  EXPECT_EQ(1, CyclesOfText(u""));
  EXPECT_EQ(1, CyclesOfText(u"abc"));
  EXPECT_EQ(255, CyclesOfText(u"300"));
  EXPECT_EQ(255, CyclesOfText(u"99999999999999"));
  EXPECT_EQ(42, CyclesOfText(u"42"));
  EXPECT_EQ(255, CyclesOfText(u"255"));

  EXPECT_EQ(u"1", CorrectedCyclesText(u"0"));
  EXPECT_EQ(u"255", CorrectedCyclesText(u"300"));
  EXPECT_EQ(u"1", CorrectedCyclesText(u"x"));
  EXPECT_EQ(u"1", CorrectedCyclesText(u""));
  EXPECT_FALSE(CorrectedCyclesText(u"1"));
  EXPECT_FALSE(CorrectedCyclesText(u"255"));
}

TEST(CompositeTabs, TypeFollowsTheTabButton) {
  EXPECT_EQ(Tab::kMacro, TabOfType(AssignmentType::kMacro));
  EXPECT_EQ(Tab::kMedia, TabOfType(AssignmentType::kMedia));
  EXPECT_EQ(Tab::kFunction, TabOfType(AssignmentType::kFunction));
  for (int type : {0, 1, 2, 3, 5, 6, 9}) {
    EXPECT_EQ(Tab::kSingleKey, TabOfType(static_cast<std::uint16_t>(type)));
  }

  // The single-key tab keeps default and single key, and turns anything else into 2.
  EXPECT_EQ(0, TypeAfterTab(Tab::kSingleKey, AssignmentType::kDefault));
  EXPECT_EQ(2, TypeAfterTab(Tab::kSingleKey, AssignmentType::kSingleKey));
  EXPECT_EQ(2, TypeAfterTab(Tab::kSingleKey, AssignmentType::kMacro));
  EXPECT_EQ(2, TypeAfterTab(Tab::kSingleKey, AssignmentType::kTextBlock));
  EXPECT_EQ(4, TypeAfterTab(Tab::kMacro, AssignmentType::kSingleKey));
  EXPECT_EQ(7, TypeAfterTab(Tab::kMedia, AssignmentType::kDefault));
  EXPECT_EQ(8, TypeAfterTab(Tab::kFunction, AssignmentType::kMedia));
}

TEST(CompositeCapture, TakesPressesOncePrintScreenAlwaysAndMediaNever) {
  EXPECT_EQ(CaptureVerdict::kCapture, JudgeKeyEvent(0x11D, false, false));  // Right Ctrl
  EXPECT_EQ(CaptureVerdict::kCapture, JudgeKeyEvent(0x11C, false, false));  // Num Enter
  EXPECT_EQ(CaptureVerdict::kSwallow, JudgeKeyEvent(0x01E, false, true));   // auto-repeat
  EXPECT_EQ(CaptureVerdict::kSwallow, JudgeKeyEvent(0x01E, true, false));   // release
  EXPECT_EQ(CaptureVerdict::kCapture, JudgeKeyEvent(0x137, true, false));   // Print Screen up
  EXPECT_EQ(CaptureVerdict::kPass, JudgeKeyEvent(0x130, false, false));     // volume up
  EXPECT_EQ(CaptureVerdict::kPass, JudgeKeyEvent(0x122, true, false));      // play/pause
  EXPECT_EQ(CaptureVerdict::kPass, JudgeKeyEvent(0, false, false));

  EXPECT_EQ(0x15B, CodeOfLowLevelKey(0x5B));
  EXPECT_EQ(0x15C, CodeOfLowLevelKey(0x5C));
  EXPECT_EQ(0x15D, CodeOfLowLevelKey(0x5D));
  EXPECT_EQ(0, CodeOfLowLevelKey(0x41));
  EXPECT_EQ(0, CodeOfLowLevelKey(0x5E));
}

TEST(CompositeApply, BuildsTheRecordForEachType) {
  model::KeyAssignment previous;
  previous.type = AssignmentType::kTextBlock;
  previous.value = 77;
  previous.mark = 1;
  previous.reserved = 0xFFFF;

  EditedKey key;
  key.slot = 0x1E;  // A
  key.type = AssignmentType::kSingleKey;
  key.captured_code = 0x11D;
  model::KeyAssignment record = AssignmentToStore(key, previous);
  EXPECT_EQ(2, record.type);
  EXPECT_EQ(0x11Du, record.value);
  EXPECT_EQ(0, record.tag);
  EXPECT_EQ(1u, record.mark);  // kept
  EXPECT_EQ(0u, record.reserved);

  key.captured_code = 0x1E;  // A on A
  EXPECT_EQ(0, AssignmentToStore(key, previous).type);
  EXPECT_EQ(0u, AssignmentToStore(key, previous).value);
  key.captured_code = 0;  // nothing pressed
  EXPECT_EQ(0, AssignmentToStore(key, previous).type);

  key.type = AssignmentType::kMacro;
  key.macro_list_empty = true;
  EXPECT_EQ(0, AssignmentToStore(key, previous).type);
  key.macro_list_empty = false;
  key.selected_macro_id = 5;
  key.cycles = 300;
  record = AssignmentToStore(key, previous);
  EXPECT_EQ(4, record.type);
  EXPECT_EQ(5u, record.value);
  EXPECT_EQ(255, record.tag);

  // On a G slot the slot tag is kept except for a macro's cycles.
  key.slot = model::SlotOfGKey(2, 1);
  key.type = AssignmentType::kMedia;
  key.media_index = 17;
  record = AssignmentToStore(key, previous);
  EXPECT_EQ(7, record.type);
  EXPECT_EQ(17u, record.value);
  EXPECT_EQ(model::GSlotTag(key.slot), record.tag);

  key.type = AssignmentType::kFunction;
  key.function_index = -1;  // no selection
  EXPECT_EQ(0u, AssignmentToStore(key, previous).value);

  // A launch or text record keeps its type but loses its value.
  key.type = AssignmentType::kTextBlock;
  record = AssignmentToStore(key, previous);
  EXPECT_EQ(6, record.type);
  EXPECT_EQ(0u, record.value);
}

}  // namespace
}  // namespace tarvolin::composite
