#include "ui/dialogs/macro_pane/recorder_rules.h"

#include <gtest/gtest.h>

namespace tarvolin::dialogs {
namespace {

// Keystroke flags of a thread-hook event: scan code, extended bit, previous state, release.
std::uint64_t Flags(std::uint32_t scan, bool extended, bool wasDown, bool release) {
  std::uint64_t flags = 1 | (static_cast<std::uint64_t>(scan) << 16);
  if (extended) flags |= 1ull << 24;
  if (wasDown) flags |= 1ull << 30;
  if (release) flags |= 1ull << 31;
  return flags;
}

TEST(RecorderRules, ThreadHookRecordsPressesAndReleasesOnceAndPassesMediaKeys) {
  HookVerdict press = ThreadHookVerdict(0x41, Flags(0x1E, false, false, false));
  EXPECT_TRUE(press.record && press.swallow && !press.pressFirst);
  EXPECT_EQ(press.code, 0x1E);
  EXPECT_EQ(press.direction, 0);
  // Held down: the auto-repeats are swallowed, not recorded.
  const HookVerdict repeat = ThreadHookVerdict(0x41, Flags(0x1E, false, true, false));
  EXPECT_TRUE(repeat.swallow);
  EXPECT_FALSE(repeat.record);
  const HookVerdict release = ThreadHookVerdict(0x41, Flags(0x1E, false, true, true));
  EXPECT_TRUE(release.record && release.swallow);
  EXPECT_EQ(release.direction, 1);
  // Right Ctrl keeps its extended code.
  EXPECT_EQ(ThreadHookVerdict(0x11, Flags(0x1D, true, false, false)).code, 0x11D);
  // Print Screen arrives as a release only: its press goes in first.
  const HookVerdict print = ThreadHookVerdict(0x2C, Flags(0x37, true, true, true));
  EXPECT_TRUE(print.record && print.pressFirst);
  EXPECT_EQ(print.code, 0x137);
  EXPECT_EQ(print.direction, 1);
  // Volume up (a media key) and an event without a key pass on untouched.
  const HookVerdict volume = ThreadHookVerdict(0xAF, Flags(0x30, true, false, false));
  EXPECT_FALSE(volume.swallow || volume.record);
  const HookVerdict nothing = ThreadHookVerdict(0, 0);
  EXPECT_FALSE(nothing.swallow || nothing.record);
}

TEST(RecorderRules, LowLevelHookTakesOnlyTheWindowsKeysOncePerPress) {
  std::uint32_t last = 0;
  HookVerdict down = WindowsKeyVerdict(true, 0x5B, last);
  EXPECT_TRUE(down.record && down.swallow);
  EXPECT_EQ(down.code, 0x15B);
  EXPECT_EQ(last, 0x5Bu);
  const HookVerdict again = WindowsKeyVerdict(true, 0x5B, last);
  EXPECT_TRUE(again.swallow);
  EXPECT_FALSE(again.record);
  // Another key passes; its press leaves the Windows key down, its release clears it.
  EXPECT_FALSE(WindowsKeyVerdict(true, 0x41, last).swallow);
  EXPECT_EQ(last, 0x5Bu);
  const HookVerdict up = WindowsKeyVerdict(false, 0x5B, last);
  EXPECT_TRUE(up.record && up.swallow);
  EXPECT_EQ(up.direction, 1);
  EXPECT_EQ(last, 0u);
  const HookVerdict right = WindowsKeyVerdict(true, 0x5C, last);
  EXPECT_EQ(right.code, 0x15C);
  EXPECT_FALSE(WindowsKeyVerdict(false, 0x41, last).swallow);
  EXPECT_EQ(last, 0u);
  EXPECT_TRUE(WindowsKeyVerdict(true, 0x5C, last).record);  // fresh again after any release
}

}  // namespace
}  // namespace tarvolin::dialogs
