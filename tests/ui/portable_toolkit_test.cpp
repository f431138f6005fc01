// The toolkit's logic that needs no window: layout values, preview key roles, picture
// patterns, window shapes, rotated captions, picture choice, row filters and row sorting.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "tools/skinpreview/skin_key_role.h"
#include "ui/skin/layout_value.h"
#include "ui/skin/main_key_pictures.h"
#include "ui/widgets/button_picture_choice.h"
#include "ui/widgets/button_text_layout.h"
#include "ui/widgets/mask_runs.h"
#include "ui/widgets/row_sort.h"
#include "ui/widgets/row_states.h"

namespace tarvolin {
namespace {

using skin::LayoutValue;
using skin::ParseLayoutValue;

TEST(LayoutValueTest, ParsesFourNumbersAndIgnoresTheRest) {
  EXPECT_EQ(ParseLayoutValue(u"10,20,30,40"), (LayoutValue{10, 20, 30, 40}));
  EXPECT_EQ(ParseLayoutValue(u"10,20,30,40,extra"), (LayoutValue{10, 20, 30, 40}));
  EXPECT_EQ(ParseLayoutValue(u"10,20,30,40,50,60"), (LayoutValue{10, 20, 30, 40}));
  // "%d" skips blanks before a number but a blank before a comma ends the match.
  EXPECT_EQ(ParseLayoutValue(u" 10, 20,\t30, 40"), (LayoutValue{10, 20, 30, 40}));
  EXPECT_EQ(ParseLayoutValue(u"10 ,20,30,40"), (LayoutValue{10, 1, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u"-5,+7,30,40"), (LayoutValue{-5, 7, 30, 40}));
}

TEST(LayoutValueTest, MissingKeyDefaultMarksTheControlAbsent) {
  const LayoutValue value = ParseLayoutValue(skin::kLayoutDefault);
  EXPECT_EQ(value, (LayoutValue{1, 1, 1, 1}));
  EXPECT_TRUE(value.IsAbsent());
  // A real size at (1, 1) is still absent; (1, 2) is not.
  EXPECT_TRUE(ParseLayoutValue(u"1,1,50,60").IsAbsent());
  EXPECT_FALSE(ParseLayoutValue(u"1,2,50,60").IsAbsent());
  EXPECT_FALSE(ParseLayoutValue(u"0,0,50,60").IsAbsent());
}

TEST(LayoutValueTest, GarbageAndShortValuesFallBackToOne) {
  EXPECT_EQ(ParseLayoutValue(u""), (LayoutValue{1, 1, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u"garbage"), (LayoutValue{1, 1, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u"12,abc,30,40"), (LayoutValue{12, 1, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u"100,50"), (LayoutValue{100, 50, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u"100,50,"), (LayoutValue{100, 50, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u",,,"), (LayoutValue{1, 1, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u"-,5"), (LayoutValue{1, 1, 1, 1}));
  EXPECT_EQ(ParseLayoutValue(u"\u4e2d,5"), (LayoutValue{1, 1, 1, 1}));
}

TEST(LayoutValueTest, HugeNumbersClampAndNegativeSizesBecomeZero) {
  EXPECT_EQ(ParseLayoutValue(u"99999999999999999999,-99999999999999999999,5,5"),
            (LayoutValue{INT_MAX, INT_MIN, 5, 5}));
  EXPECT_EQ(ParseLayoutValue(u"2147483647,-2147483648,5,5"), (LayoutValue{INT_MAX, INT_MIN, 5, 5}));
  EXPECT_EQ(ParseLayoutValue(u"10,10,-30,-1"), (LayoutValue{10, 10, 0, 0}));
}

TEST(MainKeyPicturesTest, PatternsOfTheMainWindowTable) {
  using enum skin::MainPicture;
  EXPECT_EQ(skin::MainKeyPicturePattern(u"TOVRAN_LINK"),
            (skin::StatePicturePattern{kNormal, kOver, kDisable, kNormal, kNormal}));
  EXPECT_EQ(skin::MainKeyPicturePattern(u"CONTROL2_APPLY"),
            (skin::StatePicturePattern{kNormal, kOver, kDown, kDisable, kNormal}));
  EXPECT_EQ(skin::MainKeyPicturePattern(u"lock_caps"),
            (skin::StatePicturePattern{kNormal, kNormal, kNormal, kNormal, kOver}));
  EXPECT_EQ(skin::MainKeyPicturePattern(u"FLIP_0"),
            (skin::StatePicturePattern{kNormal, kNormal, kNormal, kNormal, kDisable}));
  EXPECT_EQ(skin::MainKeyPicturePattern(u"TOVRAN_VER"),
            (skin::StatePicturePattern{kNormal, kNormal, kNormal, kNormal, kNormal}));
  EXPECT_EQ(skin::MainKeyPicturePattern(u"KEY_01E"),
            (skin::StatePicturePattern{kNormal, kOver, kDown, kNormal, kDisable}));
  EXPECT_EQ(skin::MainKeyPicturePattern(u"FLIP_1"),
            (skin::StatePicturePattern{kNormal, kOver, kDown, kNormal, kDisable}));
}

TEST(MaskRunsTest, WhiteIsTransparentAndRunsAreMaximal) {
  constexpr std::uint32_t W = 0xFFFFFF;
  constexpr std::uint32_t B = 0x000000;
  constexpr std::uint32_t G = 0xFEFFFF;  // almost white: opaque without tolerance
  const std::vector<std::uint32_t> pixels = {
      W, W, W, W, W,  //
      W, B, B, W, B,  //
      G, B, W, B, B,  //
  };
  const auto runs = widgets::FindOpaqueRuns(pixels, 5, 3, 0xFFFFFF, 0);
  const std::vector<widgets::MaskRun> expected = {{1, 1, 3}, {4, 1, 5}, {0, 2, 2}, {3, 2, 5}};
  EXPECT_EQ(runs, expected);
  // With a tolerance of 1 the almost-white pixel is transparent too.
  const auto tolerant = widgets::FindOpaqueRuns(pixels, 5, 3, 0xFEFEFE, 1);
  const std::vector<widgets::MaskRun> expectedTolerant = {
      {1, 1, 3}, {4, 1, 5}, {1, 2, 2}, {3, 2, 5}};
  EXPECT_EQ(tolerant, expectedTolerant);
}

TEST(MaskRunsTest, AllWhiteGivesNothingAndBadSizesAreRefused) {
  const std::vector<std::uint32_t> white(12, 0xFFFFFF);
  EXPECT_TRUE(widgets::FindOpaqueRuns(white, 4, 3, 0xFFFFFF, 0).empty());
  EXPECT_TRUE(widgets::FindOpaqueRuns(white, 5, 3, 0x000000, 0).empty());  // too few pixels
  EXPECT_TRUE(widgets::FindOpaqueRuns(white, 0, 3, 0x000000, 0).empty());
  EXPECT_EQ(widgets::FindOpaqueRuns(white, 4, 3, 0x000000, 0).size(), 3u);
  // The alpha byte of a pixel is not part of its colour.
  const std::vector<std::uint32_t> withAlpha(4, 0xFFFFFFFF);
  EXPECT_TRUE(widgets::FindOpaqueRuns(withAlpha, 2, 2, 0xFFFFFF, 0).empty());
}

TEST(RotatedTextTest, CentresSlantedCaption) {
  // Unrotated text only moves left by half the spare width.
  EXPECT_EQ(widgets::PlaceRotatedText({0, 0, 100, 40}, 60, 10, 0),
            (widgets::TextBox{20, 0, 100, 25}));
  // 26.8 degrees, as the profile label uses.
  const widgets::TextBox box = widgets::PlaceRotatedText({0, 0, 120, 60}, 80, 14, 268);
  // cos = 0.89259, sin = 0.45088: run 71, rise 36; left += (120-71)/2 - t(3.156) = 24 - 3;
  // bottom = 60 - (60-36)/2 + t(6.248) = 60 - 12 + 6.
  EXPECT_EQ(box, (widgets::TextBox{21, 0, 120, 54}));
  // Upright text (90 degrees): no run, so only the left edge moves; the rise is too tall.
  // The 3.1415927 of the formula is a hair above pi, so half of 300 truncates to 149.
  EXPECT_EQ(widgets::PlaceRotatedText({5, 5, 25, 15}, 200, 300, 900),
            (widgets::TextBox{-134, 5, 25, 15}));
}

TEST(RotatedTextTest, LongCaptionsShrinkToStandInsideTheButton) {
  // "$Profile0" at Arial 10 bold (about 70 x 16) rises 31.6 + 14.3 = 45.9 < 52: unchanged.
  EXPECT_EQ(widgets::FitRotatedFontHeight(-13, 70, 16, 268, 52), -13);
  // "<Default Profile>" (about 125 x 16) needs 56.4 + 14.3 = 70.6: 13 x 52 / 70.6 = 9.57.
  EXPECT_EQ(widgets::FitRotatedFontHeight(-13, 125, 16, 268, 52), -9);
  // The sign of the height is kept, and the font never gets unreadably small.
  EXPECT_EQ(widgets::FitRotatedFontHeight(13, 125, 16, 268, 52), 9);
  EXPECT_EQ(widgets::FitRotatedFontHeight(-13, 2000, 16, 268, 52), -6);
  // Level text needs only its own height.
  EXPECT_EQ(widgets::FitRotatedFontHeight(-13, 2000, 16, 0, 20), -13);
}

TEST(ButtonPictureTest, DisabledWinsThenSelectionThenPressedHoverChecked) {
  using widgets::ButtonPicture;
  using widgets::ButtonState;
  using widgets::ChooseButtonPicture;
  EXPECT_EQ(ChooseButtonPicture(ButtonState{}), ButtonPicture::kNormal);
  EXPECT_EQ(ChooseButtonPicture({.enabled = false,
                                 .selectionMode = true,
                                 .selected = true,
                                 .pressed = true,
                                 .hover = true,
                                 .checked = true}),
            ButtonPicture::kDisabled);
  EXPECT_EQ(ChooseButtonPicture({.selectionMode = true, .pressed = true}),
            ButtonPicture::kUnselected);
  EXPECT_EQ(ChooseButtonPicture({.selectionMode = true, .selected = true}),
            ButtonPicture::kSelected);
  EXPECT_EQ(ChooseButtonPicture({.pressed = true, .hover = true, .checked = true}),
            ButtonPicture::kPressed);
  EXPECT_EQ(ChooseButtonPicture({.hover = true, .checked = true}), ButtonPicture::kHover);
  EXPECT_EQ(ChooseButtonPicture({.checked = true}), ButtonPicture::kChecked);
}

TEST(RowStatesTest, FilterMatchesWhenEveryFlagIsPresent) {
  using namespace widgets;
  const unsigned selectedChecked = MakeRowState(true, true, false);
  EXPECT_EQ(selectedChecked, kRowSelected | kRowChecked | kRowUnfocused);
  EXPECT_TRUE(RowMatches(selectedChecked, 0x0A));
  EXPECT_FALSE(RowMatches(MakeRowState(true, false, false), 0x0A));
  EXPECT_TRUE(RowMatches(MakeRowState(false, false, false), kRowAll | kRowSelected));
  EXPECT_FALSE(RowMatches(selectedChecked, kRowSelected | kRowUnselected));
  EXPECT_TRUE(RowMatches(MakeRowState(false, false, true), kRowUnselected | kRowFocused));
}

TEST(RowSortTest, SeparatorRowsSplitRunsAndStay) {
  const std::vector<std::u16string> texts = {u"b", u"a", u"--", u"d", u"c", u"--", u"--"};
  EXPECT_EQ(widgets::SplitIntoRuns(texts, u"--"), (std::vector<widgets::RowRun>{{0, 1}, {3, 4}}));
  EXPECT_EQ(widgets::SplitIntoRuns(texts, std::nullopt), (std::vector<widgets::RowRun>{{0, 6}}));
  EXPECT_TRUE(widgets::SplitIntoRuns({}, std::nullopt).empty());
  EXPECT_EQ(widgets::SplitIntoRuns({u"--", u"x"}, u"--"), (std::vector<widgets::RowRun>{{1, 1}}));
}

TEST(RowSortTest, SortsByCodeUnitsBothWays) {
  // Code-unit order: upper case before lower case, and U+00E9 after 'z'.
  const std::vector<std::u16string> texts = {u"zeta", u"Alpha", u"\u00e9t\u00e9", u"alpha", u"Beta",
                                             u"10",   u"9"};
  EXPECT_EQ(widgets::SortedRowOrder(texts, 0, 6, true), (std::vector<int>{5, 6, 1, 4, 3, 0, 2}));
  EXPECT_EQ(widgets::SortedRowOrder(texts, 0, 6, false), (std::vector<int>{2, 0, 3, 4, 1, 6, 5}));
  // Only the range moves; a range past the end is cut.
  EXPECT_EQ(widgets::SortedRowOrder(texts, 4, 99, true), (std::vector<int>{5, 6, 4}));
  EXPECT_TRUE(widgets::SortedRowOrder(texts, 5, 2, true).empty());
}

TEST(RowSortTest, ManyEqualAndReversedKeysSortCorrectly) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < 3000; ++i) {
    texts.push_back(std::u16string(1, static_cast<char16_t>(u'a' + (2999 - i) % 7)));
  }
  const auto order = widgets::SortedRowOrder(texts, 0, 2999, true);
  ASSERT_EQ(order.size(), 3000u);
  std::vector<bool> seen(3000, false);
  for (std::size_t i = 0; i < order.size(); ++i) {
    seen[static_cast<std::size_t>(order[i])] = true;
    if (i > 0) {
      EXPECT_LE(texts[order[i - 1]], texts[order[i]]);
    }
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 3000);
}

// Every BUTTONINFO key of the sample skin gets the role the main window gives its control;
// before, combo boxes, sliders and texts became large invisible buttons over the report-rate
// keys.
TEST(SkinKeyRoleTest, PanelControlsArrowsAndButtons) {
  using skinpreview::SkinKeyRole;
  using skinpreview::SkinKeyRoleOf;
  EXPECT_EQ(SkinKeyRoleOf(u"KEY_01E"), SkinKeyRole::kImageButton);
  EXPECT_EQ(SkinKeyRoleOf(u"FUNC_REPORT1"), SkinKeyRole::kImageButton);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_OK"), SkinKeyRole::kImageButton);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL2_APPLY"), SkinKeyRole::kImageButton);
  EXPECT_EQ(SkinKeyRoleOf(u"FLIP_1"), SkinKeyRole::kImageButton);
  EXPECT_EQ(SkinKeyRoleOf(u"LEFT_ARROW"), SkinKeyRole::kArrow);
  EXPECT_EQ(SkinKeyRoleOf(u"right_arrow"), SkinKeyRole::kArrow);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_XGcombox"), SkinKeyRole::kList);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_umCombo"), SkinKeyRole::kList);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_LightSlider"), SkinKeyRole::kSlider);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_UsbStatic"), SkinKeyRole::kText);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_BLFXStatic"), SkinKeyRole::kText);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_DengStaPic"), SkinKeyRole::kPicture);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_USERgjStaPic2"), SkinKeyRole::kPicture);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_JDTStatic"), SkinKeyRole::kPicture);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_BLFXStatic2"), SkinKeyRole::kAlternatePosition);
  EXPECT_EQ(SkinKeyRoleOf(u"CONTROL_BLFXRStaPic3"), SkinKeyRole::kAlternatePosition);
  EXPECT_EQ(skinpreview::ArrowPictureKey(u"LEFT_ARROW"), u"UP_ARROW_LEFT1");
  EXPECT_EQ(skinpreview::ArrowPictureKey(u"RIGHT_ARROW"), u"UP_ARROW_RIGHT1");
}

}  // namespace
}  // namespace tarvolin
