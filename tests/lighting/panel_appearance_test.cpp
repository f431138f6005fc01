#include "lighting/panel_appearance.h"

#include <gtest/gtest.h>

#include <set>

#include "lighting/panel_control_ids.h"
#include "lighting/panel_reaction.h"
#include "tests/lighting/memory_ini_store.h"

namespace tarvolin::lighting {
namespace {

std::set<int> Visible(bool lighting_mode, std::optional<int> effect) {
  std::set<int> visible;
  const auto all = PanelVisibility(lighting_mode, effect);
  EXPECT_EQ(all.size(), control::kPanelControls.size());
  for (const auto& v : all) {
    if (v.visible) visible.insert(v.control_id);
  }
  return visible;
}

TEST(PanelRulesTest, VisibilityByEffectAndMode) {
  const std::set<int> always = {1204, 1171, 1167};
  EXPECT_EQ(Visible(false, 254), always);
  EXPECT_EQ(Visible(true, std::nullopt), always);
  EXPECT_EQ(Visible(true, 29), always);
  EXPECT_EQ(Visible(true, 0), always);

  std::set<int> with_direction = always;
  with_direction.insert({1146, 1172, 1178, 1166, 1179, 1148, 1149, 1150});
  for (int effect : {1, 2, 3, 4, 15, 16, 27, 28}) EXPECT_EQ(Visible(true, effect), with_direction);

  std::set<int> with_speed = always;
  with_speed.insert({1146, 1172, 1178, 1166, 1179});
  for (int effect : {6, 8, 14, 17, 24, 26}) EXPECT_EQ(Visible(true, effect), with_speed);

  std::set<int> brightness_only = always;
  brightness_only.insert({1146, 1172, 1178});
  for (int effect : {5, 7, 25}) EXPECT_EQ(Visible(true, effect), brightness_only);

  std::set<int> per_key = always;
  per_key.insert({1146, 1172, 1178, 1163, 1164, 1165, 1173, 1156, 1208, 1207, 1198});
  EXPECT_EQ(Visible(true, 254), per_key);
  // The progress picture belongs to Apply and is never shown by the panel.
  for (int effect = 0; effect < 256; ++effect) EXPECT_FALSE(Visible(true, effect).count(1177));
}

TEST(PanelRulesTest, DirectionPicturesAndPlacement) {
  const std::pair<int, std::uint8_t> cases[] = {{3, 0xFF},  {3, 0x00}, {15, 0xFF},
                                                {15, 0x00}, {9, 0xFF}, {9, 0x00}};
  const DirectionPictures expected[] = {
      {u"kuosandown.bmp", u"julong.bmp"}, {u"kuosan.bmp", u"julongdown.bmp"},
      {u"updown.bmp", u"downup.bmp"},     {u"upup.bmp", u"downdown.bmp"},
      {u"leftdown.bmp", u"rightup.bmp"},  {u"leftup.bmp", u"rightdown.bmp"}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(DirectionPicturesFor(cases[i].first, cases[i].second), expected[i]) << i;
  }
  // A direction that is neither value presses neither picture.
  EXPECT_EQ(DirectionPicturesFor(1, 0x07), (DirectionPictures{u"leftup.bmp", u"rightup.bmp"}));

  const DirectionPlacement second{u"CONTROL_BLFXStatic2", u"CONTROL_BLFXLStaPic2",
                                  u"CONTROL_BLFXRStaPic2"};
  EXPECT_EQ(DirectionPlacementFor(2), second);
  EXPECT_EQ(DirectionPlacementFor(3), second);
  EXPECT_EQ(DirectionPlacementFor(12).right_key, u"CONTROL_BLFXRStaPic3");
  EXPECT_EQ(DirectionPlacementFor(4).label_key, u"CONTROL_BLFXStatic");
  EXPECT_EQ(DirectionPlacementFor(254).left_key, u"CONTROL_BLFXLStaPic");
}

TEST(PanelRulesTest, SlidersMapValuesToPositionsAndPictures) {
  EXPECT_EQ(SpeedSlider(4), (SliderView{0, u"5.bmp"}));
  EXPECT_EQ(SpeedSlider(0), (SliderView{4, u"9.bmp"}));
  EXPECT_EQ(SpeedSlider(3), (SliderView{1, u"6.bmp"}));
  EXPECT_EQ(BrightnessSlider(2), (SliderView{2, u"2.bmp"}));
  EXPECT_FALSE(BrightnessSlider(5).has_value());
  EXPECT_FALSE(BrightnessSlider(-1).has_value());
  EXPECT_FALSE(SpeedSlider(0xFF).has_value());
  EXPECT_EQ(LampPicture(true), u"dengdown.bmp");
  EXPECT_EQ(LampPicture(false), u"dengup.bmp");
}

TEST(PanelRulesTest, LabelsFollowTheLanguage) {
  testing::MemoryIniStore skin;
  skin.Set(u"Control_Name", u"Speed", u"\u901f\u5ea6");
  skin.Set(u"Control_Name1", u"Speed", u"Speed");
  skin.Set(u"Control_Name1", u"LEDOFF", u"All on");
  const auto chinese = PanelLabels(skin, 0);
  ASSERT_EQ(chinese.size(), 8u);
  EXPECT_EQ(chinese[3], (PanelLabel{1166, u"\u901f\u5ea6"}));
  EXPECT_EQ(chinese[7], (PanelLabel{1208, u""}));  // missing key: empty label
  const auto english = PanelLabels(skin, 1);
  EXPECT_EQ(english[3].text, u"Speed");
  EXPECT_EQ(english[7].text, u"All on");
  EXPECT_TRUE(PanelLabels(skin, 2).empty());  // labels keep the template's text
}

TEST(PanelUpdateTest, LaterUpdatesWinAndRestoringWipesEarlierFrames) {
  PanelUpdate first;
  first.report_rate_pressed = 1;
  first.lamp_picture = u"dengdown.bmp";
  first.keys = KeyPictures{};
  first.keys->frames = {{1058, kMarkLitColour}};

  PanelUpdate more_frames;
  more_frames.keys = KeyPictures{};
  more_frames.keys->frames = {{1075, kMarkDarkColour}};
  more_frames.report_rate_pressed = 3;
  first.Then(more_frames);
  EXPECT_EQ(first.report_rate_pressed, 3);
  EXPECT_EQ(first.lamp_picture, u"dengdown.bmp");
  ASSERT_EQ(first.keys->frames.size(), 2u);
  EXPECT_FALSE(first.keys->restore_normal);

  PanelUpdate restore;
  restore.keys = KeyPictures{};
  restore.keys->restore_normal = true;
  first.Then(restore);
  EXPECT_TRUE(first.keys->restore_normal);
  EXPECT_TRUE(first.keys->frames.empty());
  first.Then(more_frames);
  EXPECT_TRUE(first.keys->restore_normal);
  EXPECT_EQ(first.keys->frames.size(), 1u);
}

}  // namespace
}  // namespace tarvolin::lighting
