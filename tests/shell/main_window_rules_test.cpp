#include <gtest/gtest.h>

#include <vector>

#include "platform/memory_settings.h"
#include "ui/main/dpi_scale.h"
#include "ui/main/flip_setting.h"
#include "ui/main/key_click_target.h"
#include "ui/main/key_event_names.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/progress_frames_cycle.h"

namespace tarvolin::mainwnd {
namespace {

TEST(DpiScale, IdentityAt96AndEdgesScaledTogether) {
  const skin::LayoutValue value{101, 50, 41, 41};
  EXPECT_EQ(DpiScale(96).Scale(value), value);
  EXPECT_EQ(DpiScale(144).Scale(value), (skin::LayoutValue{152, 75, 61, 62}));
  // Two keys that touch in the skin still touch when scaled.
  const skin::LayoutValue left{10, 10, 41, 41};
  const skin::LayoutValue right{51, 10, 41, 41};
  for (int dpi : {120, 144, 168, 192}) {
    const DpiScale scale(dpi);
    EXPECT_EQ(scale.Scale(left).x + scale.Scale(left).width, scale.Scale(right).x) << dpi;
  }
  // The absent marker stays recognisable.
  EXPECT_TRUE(DpiScale(144).Scale(skin::LayoutValue{}).IsAbsent());
  EXPECT_EQ(DpiScale(120).Scale(5), 6);    // 6.25
  EXPECT_EQ(DpiScale(144).Scale(-3), -5);  // -4.5 rounds away from zero
  EXPECT_EQ(DpiScale(0).dpi(), 96);        // a broken report falls back to the skin's DPI
}

TEST(ProgressFrames, CycleThroughTenFrames) {
  std::vector<int> seen;
  int frame = 0;
  for (int i = 0; i < 12; ++i) {
    seen.push_back(frame);
    frame = NextProgressFrame(frame);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
  EXPECT_EQ(NextProgressFrame(-4), 0);
  EXPECT_EQ(NextProgressFrame(57), 0);
}

TEST(KeyEventNames, TwoDigitsBelowTenThreeFromHundred) {
  EXPECT_EQ(KeyEventName(1), L"Tarvolin_Event_Main_01");
  EXPECT_EQ(KeyEventName(9), L"Tarvolin_Event_Main_09");
  EXPECT_EQ(KeyEventName(10), L"Tarvolin_Event_Main_10");
  EXPECT_EQ(KeyEventName(100), L"Tarvolin_Event_Main_100");
  EXPECT_EQ(KeyEventName(kKeyEventCount), L"Tarvolin_Event_Main_210");
}

TEST(FlipSetting, StoredValuesAndToggle) {
  MemorySettingsStore settings;
  EXPECT_EQ(ReadFlip(settings), 0);  // missing
  for (const auto& [stored, read] :
       std::vector<std::pair<int, int>>{{1, 1}, {0, 0}, {2, 0}, {7, 0}, {-1, 0}}) {
    settings.WriteInt(u"PROFILES", u"Flip", stored);
    EXPECT_EQ(ReadFlip(settings), read) << stored;
  }
  settings.WriteString(u"PROFILES", u"Flip", u"junk");
  EXPECT_EQ(ReadFlip(settings), 0);
  EXPECT_EQ(ToggleFlip(settings), 1);
  EXPECT_EQ(settings.ReadInt(u"PROFILES", u"Flip"), 1);
  EXPECT_EQ(ToggleFlip(settings), 0);
  EXPECT_EQ(settings.ReadInt(u"PROFILES", u"Flip"), 0);
  settings.WriteInt(u"PROFILES", u"Flip", 5);  // reads as 0, so the click turns Flip on
  EXPECT_EQ(ToggleFlip(settings), 1);
}

class FakeMarker final : public KeyMarker {
 public:
  bool LightingModeOn() const override { return on; }
  void MarkKey(int id) override { marked.push_back(id); }
  bool on = false;
  std::vector<int> marked;
};

class FakeEditor final : public KeyEditorOpener {
 public:
  void OpenForButton(int id) override { opened.push_back(id); }
  int OpenCount() const override { return 0; }
  bool CanClose() override { return true; }
  std::vector<int> opened;
};

TEST(KeyClickTarget, LightingModeMarksOtherwiseTheEditorOpens) {
  FakeMarker marker;
  FakeEditor editor;
  KeyClickTarget target(marker, editor);
  const int keyA = 1040;
  const int g1 = id::kGButtons[0];
  const int g6 = id::kGButtons[5];
  const int d1 = id::kFirstD;

  for (int id : {keyA, g1, g6, id::kG9, id::kFn, d1}) target.Click(id);
  // Fn and D1-D6 are only there for the key marks.
  EXPECT_EQ(editor.opened, (std::vector<int>{keyA, g1, g6, id::kG9}));
  EXPECT_TRUE(marker.marked.empty());

  marker.on = true;
  editor.opened.clear();
  for (int id : {keyA, g1, g6, id::kG9, id::kFn, d1}) target.Click(id);
  EXPECT_EQ(marker.marked, (std::vector<int>{keyA, g1, id::kFn, d1}));
  // G6-G9 ignore lighting mode.
  EXPECT_EQ(editor.opened, (std::vector<int>{g6, id::kG9}));
}

}  // namespace
}  // namespace tarvolin::mainwnd
