// The image button and the small widgets under Wine: which picture each state paints, frame
// mode, captions, tooltips, double clicks, and what the slider, drop-down and labels send.
#include <gtest/gtest.h>
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <map>

#include "tests/ui/ui_test_support.h"
#include "ui/skin/device_context.h"
#include "ui/skin/skin_surface.h"
#include "ui/widgets/bitmap_slider.h"
#include "ui/widgets/color_static.h"
#include "ui/widgets/combo_for_list.h"
#include "ui/widgets/hyper_link.h"
#include "ui/widgets/png_button.h"

namespace tarvolin {
namespace {

using uitest::RenderedClient;

constexpr COLORREF kNormal = RGB(0, 0, 200);
constexpr COLORREF kHover = RGB(0, 200, 0);
constexpr COLORREF kPressed = RGB(200, 0, 0);
constexpr COLORREF kDisabled = RGB(90, 90, 90);
constexpr COLORREF kChecked = RGB(200, 200, 0);
constexpr COLORREF kSelected = RGB(0, 200, 200);
constexpr COLORREF kUnselected = RGB(200, 0, 200);
constexpr COLORREF kUntouched = RGB(255, 0, 255);

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (COLORREF colour :
         {kNormal, kHover, kPressed, kDisabled, kChecked, kSelected, kUnselected}) {
      Fill(surfaces_[colour], colour);
    }
    ASSERT_TRUE(button_.Create(parent_.hwnd(), 1030, RECT{20, 10, 60, 40}, L"Hi"));
    button_.SetSkin(21, 11, Pictures());
  }

  void Fill(skin::SkinSurface& surface, COLORREF colour) {
    HDC screen = GetDC(parent_.hwnd());
    ASSERT_TRUE(surface.Create(screen, 100, 100));
    ReleaseDC(parent_.hwnd(), screen);
    RECT all{0, 0, 100, 100};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(surface.dc(), &all, brush);
    DeleteObject(brush);
  }

  skin::StatePictures Pictures() {
    return {&surfaces_[kNormal], &surfaces_[kHover], &surfaces_[kPressed], &surfaces_[kDisabled],
            &surfaces_[kChecked]};
  }

  COLORREF Centre() { return RenderedClient(button_.hwnd(), kUntouched).at(20, 15); }

  uitest::RecordingParent parent_;
  std::map<COLORREF, skin::SkinSurface> surfaces_;
  widgets::CPngButton button_;
};

TEST_F(ButtonTest, EachStatePaintsItsPicture) {
  EXPECT_EQ(Centre(), kNormal);
  EXPECT_EQ(SendMessageW(button_.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  button_.SetChecked(1, true);
  EXPECT_EQ(Centre(), kChecked);
  EXPECT_EQ(SendMessageW(button_.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(button_.hwnd(), WM_MOUSEHOVER, 0, 0);
  EXPECT_EQ(button_.hover(), 1);
  EXPECT_EQ(Centre(), kHover);
  SendMessageW(button_.hwnd(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(Centre(), kPressed);
  EXPECT_EQ(button_.pressed(), 1);
  SendMessageW(button_.hwnd(), BM_SETSTATE, FALSE, 0);
  SendMessageW(button_.hwnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(button_.hover(), 0);
  EXPECT_EQ(Centre(), kChecked);
  button_.SetChecked(0, true);
  EXPECT_EQ(Centre(), kNormal);
  // New pictures clear hover and pressed.
  SendMessageW(button_.hwnd(), WM_MOUSEHOVER, 0, 0);
  button_.SetPictures(Pictures());
  EXPECT_EQ(button_.hover(), 0);
  EXPECT_EQ(Centre(), kNormal);
}

TEST_F(ButtonTest, DisabledWinsOverCheckedAndSelection) {
  button_.SetChecked(1, false);
  button_.SetSelection(&surfaces_[kUnselected], &surfaces_[kSelected], 1, 1);
  EXPECT_EQ(Centre(), kSelected);
  button_.SetSelection(&surfaces_[kUnselected], &surfaces_[kSelected], 1, 0);
  EXPECT_EQ(Centre(), kUnselected);
  EnableWindow(button_.hwnd(), FALSE);
  EXPECT_EQ(Centre(), kDisabled);
  button_.SetSelection(nullptr, nullptr, 0, 0);
  EXPECT_EQ(Centre(), kDisabled);
}

TEST_F(ButtonTest, FrameModeDrawsOnlyATwoPixelFrame) {
  button_.SetFrame(RGB(0, 255, 0), 150, 1);
  EXPECT_EQ(button_.frame_value(), 100);
  RenderedClient shown(button_.hwnd(), kUntouched);
  EXPECT_EQ(shown.at(1, 15), RGB(0, 255, 0));
  EXPECT_EQ(shown.at(20, 1), RGB(0, 255, 0));
  EXPECT_EQ(shown.at(38, 15), RGB(0, 255, 0));
  // Inside the frame nothing is painted: no picture at all.
  EXPECT_EQ(shown.at(20, 15), kUntouched);
  EXPECT_EQ(shown.at(4, 4), kUntouched);
  button_.SetFrame(RGB(0, 0, 0), 150, 0);
  EXPECT_EQ(button_.frame_value(), 150);
  EXPECT_EQ(Centre(), kNormal);
}

TEST_F(ButtonTest, NoPicturesDrawNothingAndCaptionsDraw) {
  button_.SetPictures({});
  EXPECT_EQ(Centre(), kUntouched);
  EXPECT_EQ(button_.last_painted(), nullptr);
  button_.SetPictures(Pictures());
  // White text over the blue picture changes some pixels; without text none change.
  auto countNonBlue = [&] {
    RenderedClient shown(button_.hwnd(), kUntouched);
    int count = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) count += shown.at(x, y) != kNormal ? 1 : 0;
    }
    return count;
  };
  EXPECT_EQ(countNonBlue(), 0);
  button_.SetTextStyle(1, 12, L"Tahoma", RGB(255, 255, 255), 0x25);
  EXPECT_GT(countNonBlue(), 5);
  button_.SetRotation(268, 1);
  EXPECT_GT(countNonBlue(), 5);
}

TEST_F(ButtonTest, HoverHookToldWhetherNormalPictureShows) {
  std::vector<int> calls;
  button_.SetHoverHook([&](HWND window, int normal) {
    EXPECT_EQ(window, button_.hwnd());
    calls.push_back(normal);
  });
  Centre();
  SendMessageW(button_.hwnd(), WM_MOUSEHOVER, 0, 0);
  SendMessageW(button_.hwnd(), WM_MOUSELEAVE, 0, 0);
  button_.SetChecked(1, true);
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front(), 1);
  EXPECT_NE(std::find(calls.begin(), calls.end(), 0), calls.end());
  EXPECT_EQ(calls.back(), 0);  // the checked picture is not the normal one
}

TEST_F(ButtonTest, DoubleClickIsTwoClicks) {
  const LPARAM inside = MAKELPARAM(5, 5);
  SendMessageW(button_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(button_.hwnd(), WM_LBUTTONUP, 0, inside);
  SendMessageW(button_.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  SendMessageW(button_.hwnd(), WM_LBUTTONUP, 0, inside);
  uitest::PumpMessages();
  int clicks = 0;
  for (const auto& message : parent_.messages()) {
    if (message.message == WM_COMMAND && LOWORD(message.wParam) == 1030 &&
        HIWORD(message.wParam) == BN_CLICKED) {
      ++clicks;
    }
  }
  EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, TooltipIsMadeOnceWithItsText) {
  EXPECT_EQ(button_.tooltip(), nullptr);
  button_.SetTooltip(L"Close", true);
  HWND tooltip = button_.tooltip();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = button_.hwnd();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Close");
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 2000);
  button_.SetTooltip(L"Minimise", false);
  EXPECT_EQ(button_.tooltip(), tooltip);
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

// A dialog's buttons are members that outlive its window and are attached again at the next
// opening: the tooltip goes with the old window and a new one serves the new window.
TEST_F(ButtonTest, TooltipGoesWithItsWindowAndComesBackForTheNext) {
  button_.SetTooltip(L"Close", true);
  HWND first = button_.tooltip();
  ASSERT_TRUE(IsWindow(first));
  DestroyWindow(button_.hwnd());
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(button_.tooltip(), nullptr);

  HWND again = CreateWindowExW(0, L"BUTTON", L"Hi", WS_CHILD | WS_VISIBLE, 20, 10, 40, 30,
                               parent_.hwnd(), reinterpret_cast<HMENU>(1030), nullptr, nullptr);
  ASSERT_TRUE(button_.Attach(again));
  button_.SetTooltip(L"Open", true);
  HWND second = button_.tooltip();
  ASSERT_TRUE(IsWindow(second));
  EXPECT_EQ(SendMessageW(second, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = again;
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(second, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Open");
}

TEST(SliderTest, ClicksAndKeysPostTheMovedMessage) {
  uitest::RecordingParent parent;
  widgets::CBitmapSlider slider;
  ASSERT_TRUE(slider.Create(parent.hwnd(), RECT{10, 10, 110, 30}, 1178));
  slider.SetRange(0, 4);
  slider.SetPos(9);
  EXPECT_EQ(slider.GetPos(), 4);
  slider.SetPos(0);
  uitest::PumpMessages();
  EXPECT_EQ(parent.CountOf(widgets::kSliderMovedMessage), 0);  // not the user's doing
  SendMessageW(slider.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(65, 5));
  SendMessageW(slider.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(65, 5));
  uitest::PumpMessages();
  ASSERT_EQ(parent.CountOf(widgets::kSliderMovedMessage), 1);
  EXPECT_EQ(parent.messages().back().wParam, 1178u);
  EXPECT_EQ(parent.messages().back().lParam, 3);
  EXPECT_EQ(slider.GetPos(), 3);
  SendMessageW(slider.hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(slider.hwnd(), WM_KEYDOWN, VK_RIGHT, 0);  // already at the end: no message
  uitest::PumpMessages();
  EXPECT_EQ(parent.CountOf(widgets::kSliderMovedMessage), 2);
  EXPECT_EQ(slider.GetPos(), 4);
  SendMessageW(slider.hwnd(), WM_KEYDOWN, VK_HOME, 0);
  uitest::PumpMessages();
  EXPECT_EQ(parent.messages().back().lParam, 0);
}

TEST(ComboForListTest, SelectionChangePostsTheStoredMessage) {
  uitest::RecordingParent parent;
  widgets::CComboBox4ListCtrl combo;
  ASSERT_TRUE(combo.Create(parent.hwnd(), RECT{10, 10, 150, 200}, 1300));
  for (const wchar_t* item : {L"one", L"two", L"three"}) {
    SendMessageW(combo.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageW(combo.hwnd(), CB_SETCURSEL, 0, 0);
  // Without a target nothing is posted.
  SendMessageW(combo.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  uitest::PumpMessages();
  EXPECT_EQ(parent.CountOf(0xA7F0), 0);
  combo.SetTarget(parent.hwnd(), 0xA7F0, VK_RETURN, widgets::kEnterKeyDownLParam);
  SendMessageW(combo.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  uitest::PumpMessages();
  ASSERT_EQ(parent.CountOf(0xA7F0), 1);
  EXPECT_EQ(parent.messages().back().wParam, static_cast<WPARAM>(VK_RETURN));
  EXPECT_EQ(parent.messages().back().lParam, widgets::kEnterKeyDownLParam);
  EXPECT_EQ(SendMessageW(combo.hwnd(), CB_GETCURSEL, 0, 0), 2);
}

TEST(LabelTest, ColourStaticAndLinkAnswerTheirColours) {
  uitest::RecordingParent parent;
  HWND label = CreateWindowExW(0, L"STATIC", L"Light", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20,
                               parent.hwnd(), nullptr, nullptr, nullptr);
  widgets::ColorStatic colour;
  ASSERT_TRUE(colour.Attach(label));
  colour.SetColours(RGB(228, 228, 228), RGB(10, 20, 30));
  HDC dc = GetDC(parent.hwnd());
  const LRESULT brush = SendMessageW(parent.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(label));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc), RGB(228, 228, 228));
  EXPECT_EQ(GetBkColor(dc), RGB(10, 20, 30));

  HWND linkLabel = CreateWindowExW(0, L"STATIC", L"site", WS_CHILD | WS_VISIBLE, 0, 30, 80, 20,
                                   parent.hwnd(), nullptr, nullptr, nullptr);
  widgets::CHyperLink link;
  ASSERT_TRUE(link.Attach(linkLabel));
  EXPECT_NE(GetWindowLongPtrW(linkLabel, GWL_STYLE) & SS_NOTIFY, 0);
  EXPECT_FALSE(link.Open());  // no address yet
  link.SetUrl(L"https://tarvolin.example/");
  EXPECT_EQ(link.url(), L"https://tarvolin.example/");
  SendMessageW(parent.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(linkLabel));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 238));
  ReleaseDC(parent.hwnd(), dc);
}

}  // namespace
}  // namespace tarvolin
