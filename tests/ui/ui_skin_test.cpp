// Skin files, placement and skin pictures under Wine: the layout contract, the failure
// rules for bad files, the image source rule, and the sample skin once it is there.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ini_store.h"
#include "tests/ui/tiny_jpeg.h"
#include "tests/ui/ui_test_support.h"
#include "ui/skin/gdiplus_session.h"
#include "ui/skin/ini_section_keys.h"
#include "ui/skin/skin_image.h"
#include "ui/skin/skin_image_set.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/skin_surface.h"
#include "ui/widgets/base_dialog.h"
#include "ui/widgets/picture_file.h"
#include "ui/widgets/png_button.h"

namespace tarvolin {
namespace {

using skin::LayoutValue;
using uitest::ScratchFolder;

class SkinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gdiplus_ = new skin::GdiplusSession(); }
  static void TearDownTestSuite() {
    delete gdiplus_;
    gdiplus_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(gdiplus_->IsStarted()); }

  RECT PlacementOf(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  static skin::GdiplusSession* gdiplus_;
  ScratchFolder folder_;
};
skin::GdiplusSession* SkinTest::gdiplus_ = nullptr;

std::u16string U16(const std::wstring& text) {
  return win32::FromWide(text);
}

TEST_F(SkinTest, LayoutValuesFromAnIniFile) {
  folder_.WriteText(L"Main.ini",
                    "[BUTTONINFO]\r\n"
                    "key_01e=10,20,30,40,extra\r\n"
                    "KEY_01F = 5,6,7,8\r\n"
                    "GARBAGE=abc,def\r\n"
                    "SHORT=100,50\r\n"
                    "EMPTY=\r\n"
                    "[BUTTONINFO2]\r\n"
                    "UP_ARROW_LEFT1=200,100\r\n");
  win32::Win32IniStore file(U16(folder_.File(L"Main.ini")));
  skin::SkinLayout layout(file);
  // INI keys are found whatever the case of their hex digits.
  EXPECT_EQ(layout.Read(u"BUTTONINFO", u"KEY_01E"), (LayoutValue{10, 20, 30, 40}));
  EXPECT_EQ(layout.Read(u"buttoninfo", u"KEY_01f"), (LayoutValue{5, 6, 7, 8}));
  EXPECT_EQ(layout.Read(u"BUTTONINFO", u"GARBAGE"), (LayoutValue{1, 1, 1, 1}));
  EXPECT_EQ(layout.Read(u"BUTTONINFO", u"SHORT"), (LayoutValue{100, 50, 1, 1}));
  EXPECT_EQ(layout.Read(u"BUTTONINFO", u"EMPTY"), (LayoutValue{1, 1, 1, 1}));
  EXPECT_EQ(layout.Read(u"BUTTONINFO", u"MISSING"), (LayoutValue{1, 1, 1, 1}));
  EXPECT_EQ(layout.Read(u"NOSECTION", u"KEY_01E"), (LayoutValue{1, 1, 1, 1}));
  win32::Win32IniStore missing(U16(folder_.File(L"NoSuchFile.ini")));
  EXPECT_EQ(skin::SkinLayout(missing).Read(u"BUTTONINFO", u"KEY_01E"), (LayoutValue{1, 1, 1, 1}));
  const auto keys = skin::ListSectionKeys(U16(folder_.File(L"Main.ini")), u"BUTTONINFO");
  EXPECT_EQ(keys,
            (std::vector<std::u16string>{u"key_01e", u"KEY_01F", u"GARBAGE", u"SHORT", u"EMPTY"}));
}

TEST_F(SkinTest, PlacementOperationsMoveSizeAndDisable) {
  folder_.WriteText(L"Main.ini",
                    "[BUTTONINFO]\r\nKEY_01E=100,50,30,20\r\nREALSIZE=1,1,60,40\r\n"
                    "LIST=10,20,200,100\r\nMOVED=70,80,5,5\r\nLEFT_ARROW=300,10,16,12\r\n"
                    "[BUTTONINFO2]\r\nUP_ARROW_LEFT1=40,60\r\n");
  win32::Win32IniStore file(U16(folder_.File(L"Main.ini")));
  skin::SkinLayout layout(file);
  uitest::RecordingParent parent;

  widgets::CPngButton key;
  ASSERT_TRUE(key.Create(parent.hwnd(), 1030, RECT{0, 0, 10, 10}, L""));
  skin::PlaceSkinButton(key, layout, skin::kButtonSection, u"KEY_01E", {});
  RECT rect = PlacementOf(key.hwnd(), parent.hwnd());
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 50);
  EXPECT_EQ(rect.right - rect.left, 30);
  EXPECT_EQ(rect.bottom - rect.top, 20);
  EXPECT_EQ(key.source_x(), 100);
  EXPECT_EQ(key.source_y(), 50);
  EXPECT_TRUE(IsWindowEnabled(key.hwnd()));

  // A missing key leaves a 1 x 1 disabled button at (1, 1); so does (1, 1) with a size.
  widgets::CPngButton missing;
  ASSERT_TRUE(missing.Create(parent.hwnd(), 1031, RECT{0, 0, 10, 10}, L""));
  skin::PlaceSkinButton(missing, layout, skin::kButtonSection, u"NOT_THERE", {});
  rect = PlacementOf(missing.hwnd(), parent.hwnd());
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.right - rect.left, 1);
  EXPECT_FALSE(IsWindowEnabled(missing.hwnd()));
  widgets::CPngButton realSize;
  ASSERT_TRUE(realSize.Create(parent.hwnd(), 1032, RECT{0, 0, 10, 10}, L""));
  skin::PlaceSkinButton(realSize, layout, skin::kButtonSection, u"REALSIZE", {});
  rect = PlacementOf(realSize.hwnd(), parent.hwnd());
  EXPECT_EQ(rect.right - rect.left, 60);
  EXPECT_FALSE(IsWindowEnabled(realSize.hwnd()));

  HWND list = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, parent.hwnd(),
                              nullptr, nullptr, nullptr);
  skin::PlaceControl(list, layout, skin::kButtonSection, u"LIST");
  rect = PlacementOf(list, parent.hwnd());
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
  EXPECT_TRUE(IsWindowEnabled(list));
  // MoveControl keeps the size.
  skin::MoveControl(list, layout, skin::kButtonSection, u"MOVED");
  rect = PlacementOf(list, parent.hwnd());
  EXPECT_EQ(rect.left, 70);
  EXPECT_EQ(rect.top, 80);
  EXPECT_EQ(rect.right - rect.left, 200);
  // PlaceControl with a missing key gives 1 x 1 at (1, 1).
  skin::PlaceControl(list, layout, skin::kButtonSection, u"NOPE");
  rect = PlacementOf(list, parent.hwnd());
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.bottom - rect.top, 1);

  skin::SkinSurface arrow;
  widgets::CPngButton arrowButton;
  ASSERT_TRUE(arrowButton.Create(parent.hwnd(), 1132, RECT{0, 0, 10, 10}, L""));
  skin::PlaceAlternateImage(arrowButton, layout, skin::kButtonSection, u"LEFT_ARROW",
                            skin::kButtonSection2, u"UP_ARROW_LEFT1", &arrow);
  rect = PlacementOf(arrowButton.hwnd(), parent.hwnd());
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.right - rect.left, 16);
  EXPECT_EQ(arrowButton.source_x(), 40);
  EXPECT_EQ(arrowButton.source_y(), 60);
}

TEST_F(SkinTest, ButtonShowsItsPictureFromOnePixelLeftAndAbove) {
  // Each pixel of the picture encodes its own position.
  folder_.Write(L"pattern.bmp", uitest::MakeBmp(300, 200, [](int x, int y) {
                  return RGB(x % 256, y, x >= 256 ? 255 : 0);
                }));
  folder_.WriteText(L"Main.ini", "[BUTTONINFO]\r\nKEY_01E=100,50,12,8\r\n");
  uitest::RecordingParent parent(300, 200);
  skin::SkinImageSet set;
  const std::wstring_view names[] = {L"pattern.bmp"};
  ASSERT_TRUE(set.Load(folder_.path(), names, parent.hwnd()));
  ASSERT_TRUE(set.empty_pictures().empty());
  const skin::SkinSurface* picture = set.at(0);
  ASSERT_NE(picture, nullptr);
  // The surface is the client area plus 100 pixels both ways.
  EXPECT_EQ(picture->width(), 400);
  EXPECT_EQ(picture->height(), 300);

  win32::Win32IniStore file(U16(folder_.File(L"Main.ini")));
  widgets::CPngButton button;
  ASSERT_TRUE(button.Create(parent.hwnd(), 1030, RECT{0, 0, 10, 10}, L""));
  skin::PlaceSkinButton(button, skin::SkinLayout(file), skin::kButtonSection, u"KEY_01E",
                        {picture, picture, picture, picture, picture});
  uitest::RenderedClient shown(button.hwnd(), RGB(255, 0, 255));
  ASSERT_EQ(shown.width(), 12);
  EXPECT_EQ(shown.at(0, 0), RGB(99, 49, 0));
  EXPECT_EQ(shown.at(11, 7), RGB(110, 56, 0));
  EXPECT_EQ(button.last_painted(), picture);
}

TEST_F(SkinTest, MissingBrokenAndTruncatedPicturesGiveEmptyImagesNotFailures) {
  const auto& jpeg = uitest::TinyRedJpeg();
  folder_.Write(L"good.jpg", jpeg);
  folder_.Write(L"truncated.jpg", std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + 120));
  folder_.Write(L"garbage.jpg", std::vector<std::uint8_t>(500, 0x5A));
  folder_.Write(L"empty.jpg", {});

  skin::SkinImage good = skin::LoadSkinImage(folder_.path(), L"good.jpg");
  ASSERT_TRUE(good.IsCreated());
  EXPECT_TRUE(good.HasPicture());
  EXPECT_EQ(good.width(), 16);
  EXPECT_EQ(good.height(), 16);

  for (const wchar_t* name : {L"missing.jpg", L"garbage.jpg", L"empty.jpg", L"missing.bmp"}) {
    skin::SkinImage image = skin::LoadSkinImage(folder_.path(), name);
    EXPECT_TRUE(image.IsCreated()) << win32::FromWide(name).size();
    EXPECT_FALSE(image.HasPicture());
    EXPECT_EQ(image.width(), 0);
  }
  // A cut-off JPG may decode partly or not at all; either way there is an image object.
  skin::SkinImage truncated = skin::LoadSkinImage(folder_.path(), L"truncated.jpg");
  EXPECT_TRUE(truncated.IsCreated());

  uitest::RecordingParent parent(50, 40);
  uitest::RecordingParent* window = &parent;
  HDC dc = GetDC(window->hwnd());
  skin::SkinSurface fromGood;
  ASSERT_TRUE(skin::SkinImageToSurface(fromGood, good, dc));
  EXPECT_EQ(fromGood.width(), 150);
  EXPECT_EQ(fromGood.height(), 140);
  const COLORREF red = GetPixel(fromGood.dc(), 8, 8);
  EXPECT_GE(GetRValue(red), 240);
  EXPECT_LE(GetGValue(red), 15);
  // Beyond the picture the surface is black, not leftover memory.
  EXPECT_EQ(GetPixel(fromGood.dc(), 100, 100), RGB(0, 0, 0));
  skin::SkinSurface fromTruncated;
  EXPECT_TRUE(skin::SkinImageToSurface(fromTruncated, truncated, dc));
  skin::SkinSurface fromMissing;
  ASSERT_TRUE(
      skin::SkinImageToSurface(fromMissing, skin::LoadSkinImage(folder_.path(), L"x.jpg"), dc));
  EXPECT_EQ(GetPixel(fromMissing.dc(), 5, 5), RGB(0, 0, 0));
  ReleaseDC(window->hwnd(), dc);

  // The whole main set loads with only some files present, and names the missing ones.
  folder_.Write(L"main_normal.jpg", jpeg);
  skin::SkinImages images;
  ASSERT_TRUE(images.Load(folder_.path(), parent.hwnd()));
  EXPECT_EQ(images.set().size(), 11u);
  EXPECT_TRUE(images.at(skin::SkinImages::kArrow)->IsReady());
  EXPECT_EQ(images.set().empty_pictures().size(), 9u);  // all but the two main_normal slots
  // A second load keeps the first set.
  EXPECT_TRUE(images.Load(L"Z:\\nowhere\\", parent.hwnd()));
  EXPECT_EQ(images.set().size(), 11u);
}

TEST_F(SkinTest, OlePictureLoaderRefusesBadFiles) {
  folder_.Write(L"good.bmp", uitest::MakeBmp(20, 10, [](int, int) { return RGB(1, 2, 3); }));
  const auto good = uitest::MakeBmp(20, 10, [](int, int) { return RGB(1, 2, 3); });
  folder_.Write(L"header-only.bmp", std::vector<std::uint8_t>(good.begin(), good.begin() + 20));
  folder_.Write(L"empty.bmp", {});
  folder_.Write(L"noise.bmp", std::vector<std::uint8_t>(300, 0x33));
  skin::BitmapHandle bitmap = widgets::LoadPictureBitmap(folder_.File(L"good.bmp"));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(widgets::BitmapSize(bitmap.get()).cx, 20);
  EXPECT_EQ(widgets::BitmapSize(bitmap.get()).cy, 10);
  EXPECT_TRUE(widgets::LoadPictureBitmap(folder_.File(L"tiny.jpg")).get() == nullptr);
  folder_.Write(L"tiny.jpg", uitest::TinyRedJpeg());
  EXPECT_TRUE(widgets::LoadPictureBitmap(folder_.File(L"tiny.jpg")));
  EXPECT_FALSE(widgets::LoadPictureBitmap(folder_.File(L"missing.bmp")));
  EXPECT_FALSE(widgets::LoadPictureBitmap(folder_.File(L"empty.bmp")));
  EXPECT_FALSE(widgets::LoadPictureBitmap(folder_.File(L"noise.bmp")));
  EXPECT_FALSE(widgets::LoadPictureBitmap(folder_.File(L"header-only.bmp")));
}

// ---- the skinned dialog ----------------------------------------------------------------

class ShapeTest : public SkinTest {
 protected:
  // A modeless skinned dialog over the scratch skin; the window stays for the test.
  HWND OpenDialog(const std::string& ini) {
    folder_.WriteText(L"Dialog.ini", ini);
    dialog_ = std::make_unique<widgets::CBaseDialog>(0, nullptr, folder_.File(L"Dialog.ini"),
                                                     folder_.path());
    HWND window = dialog_->Create();
    uitest::PumpMessages();
    return window;
  }
  std::unique_ptr<widgets::CBaseDialog> dialog_;
};

TEST_F(ShapeTest, BackgroundSizesTheWindowAndTheMaskShapesIt) {
  folder_.Write(L"back.bmp", uitest::MakeBmp(200, 100, [](int, int) { return RGB(0, 0, 200); }));
  // White border of 10 pixels around a coloured middle.
  folder_.Write(L"mask.bmp", uitest::MakeBmp(200, 100, [](int x, int y) {
                  return (x < 10 || y < 10 || x >= 190 || y >= 90) ? RGB(255, 255, 255)
                                                                   : RGB(0, 0, 0);
                }));
  HWND window = OpenDialog("[SCREEN]\r\nMain=back.bmp\r\nMask=mask.bmp\r\n");
  ASSERT_NE(window, nullptr);
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 200);
  EXPECT_EQ(rect.bottom - rect.top, 100);
  EXPECT_FALSE(dialog_->IsLoading());
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 5, 5));
  EXPECT_FALSE(PtInRegion(region, 195, 50));
  EXPECT_TRUE(PtInRegion(region, 10, 10));
  EXPECT_TRUE(PtInRegion(region, 100, 50));
  EXPECT_TRUE(PtInRegion(region, 189, 89));
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.top, 10);
  EXPECT_EQ(box.right, 190);
  EXPECT_EQ(box.bottom, 90);
  DeleteObject(region);
  // The window is the background picture.
  ShowWindow(window, SW_SHOWNA);
  uitest::RenderedClient shown(window, RGB(255, 0, 255));
  ASSERT_GT(shown.width(), 100);
  ASSERT_GT(shown.height(), 50);
  EXPECT_EQ(shown.at(100, 50), RGB(0, 0, 200));
  DestroyWindow(window);
}

TEST_F(ShapeTest, AllWhiteMaskGivesAnEmptyWindowAndMissingMaskUsesTheBackground) {
  folder_.Write(L"back.bmp", uitest::MakeBmp(60, 40, [](int x, int) {
                  return x < 30 ? RGB(255, 255, 255) : RGB(10, 10, 10);
                }));
  folder_.Write(L"white.bmp", uitest::MakeBmp(60, 40, [](int, int) { return RGB(255, 255, 255); }));
  HWND window = OpenDialog("[SCREEN]\r\nMain=back.bmp\r\nMask=white.bmp\r\n");
  ASSERT_NE(window, nullptr);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window, region), NULLREGION);
  DestroyWindow(window);

  window = OpenDialog("[SCREEN]\r\nMain=back.bmp\r\n");
  ASSERT_NE(window, nullptr);
  ASSERT_NE(GetWindowRgn(window, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 10, 10));
  EXPECT_TRUE(PtInRegion(region, 40, 10));
  DeleteObject(region);
  DestroyWindow(window);
}

TEST_F(ShapeTest, OkReleasesTheSkinBitmaps) {
  folder_.Write(L"back.bmp", uitest::MakeBmp(60, 40, [](int, int) { return RGB(5, 5, 5); }));
  HWND window = OpenDialog("[SCREEN]\r\nMain=back.bmp\r\n");
  ASSERT_NE(window, nullptr);
  EXPECT_NE(dialog_->background(), nullptr);
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_EQ(dialog_->background(), nullptr);
  EXPECT_EQ(dialog_->mask(), nullptr);
  EXPECT_FALSE(IsWindow(window));
}

// A background or mask that cannot be loaded ends the process with exit code 0.
void OpenSkin(const std::wstring& folder, const std::string& ini) {
  ScratchFolder scratch;
  scratch.WriteText(L"Dialog.ini", ini);
  if (!folder.empty()) {
    scratch.Write(L"back.bmp", uitest::MakeBmp(10, 10, [](int, int) { return RGB(1, 1, 1); }));
    scratch.Write(L"cut.jpg", std::vector<std::uint8_t>(uitest::TinyRedJpeg().begin(),
                                                        uitest::TinyRedJpeg().begin() + 40));
  }
  widgets::CBaseDialog dialog(0, nullptr, scratch.File(L"Dialog.ini"), scratch.path());
  dialog.Create();
  std::exit(3);  // not reached when the skin is refused
}

TEST(SkinDeathTest, UnloadableBackgroundOrMaskEndsTheProcessWithZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(OpenSkin(L"", "[SCREEN]\r\nMain=missing.bmp\r\n"), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(OpenSkin(L"x", "[SCREEN]\r\nMain=back.bmp\r\nMask=missing.bmp\r\n"),
              ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(OpenSkin(L"x", "[SCREEN]\r\nMain=\r\n"), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(OpenSkin(L"x", "garbage\x01\x02 no sections at all"), ::testing::ExitedWithCode(0),
              "");
  EXPECT_EXIT(OpenSkin(L"x", "[SCREEN]\r\nMain=cut.jpg\r\n"), ::testing::ExitedWithCode(0), "");
  // A loadable skin does not end the process.
  EXPECT_EXIT(OpenSkin(L"x", "[SCREEN]\r\nMain=back.bmp\r\n"), ::testing::ExitedWithCode(3), "");
}

// ---- the sample skin -------------------------------------------------------------------

TEST_F(SkinTest, SampleSkinLoadsEveryPicture) {
  const std::wstring source = uitest::WindowsPathFromEnvironment("TARVOLIN_SOURCE_DIR");
  if (source.empty()) GTEST_SKIP() << "TARVOLIN_SOURCE_DIR not set";
  const std::wstring skinFolder = source + L"resources\\skin\\";
  if (GetFileAttributesW((skinFolder + L"Main.ini").c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "no sample skin yet";
  }
  uitest::RecordingParent parent(800, 400);
  skin::SkinImages main;
  ASSERT_TRUE(main.Load(skinFolder, parent.hwnd()));
  for (const auto& name : main.set().empty_pictures())
    ADD_FAILURE() << "empty: " << U16(name).size();
  EXPECT_TRUE(main.set().empty_pictures().empty());
  skin::SkinImageSet composite;
  ASSERT_TRUE(composite.Load(skinFolder, skin::CompositeImageNames(), parent.hwnd()));
  EXPECT_TRUE(composite.empty_pictures().empty());
  skin::SkinImageSet profile;
  ASSERT_TRUE(profile.Load(skinFolder, skin::ProfileImageNames(), parent.hwnd()));
  EXPECT_TRUE(profile.empty_pictures().empty());

  for (const wchar_t* ini : {L"Main.ini", L"Composite.ini", L"Profile.ini"}) {
    SCOPED_TRACE(testing::Message() << "skin file " << U16(ini).size());
    widgets::CIniFile file;
    file.SetPath(U16(skinFolder + ini));
    const auto background = file.Read(u"SCREEN", u"Main");
    ASSERT_TRUE(background.has_value());
    const std::u16string mask = file.Read(u"SCREEN", u"Mask").value_or(*background);
    EXPECT_TRUE(widgets::LoadPictureBitmap(skinFolder + win32::ToWide(*background)));
    EXPECT_TRUE(widgets::LoadPictureBitmap(skinFolder + win32::ToWide(mask)));
    // Every image-button key has a real placement.
    for (const auto& key : skin::ListSectionKeys(U16(skinFolder + ini), u"BUTTONINFO")) {
      const LayoutValue value = skin::SkinLayout(file.store()).Read(u"BUTTONINFO", key);
      EXPECT_GE(value.width, 1);
      EXPECT_GE(value.height, 1);
    }
  }
}

}  // namespace
}  // namespace tarvolin
