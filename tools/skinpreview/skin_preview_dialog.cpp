#include "tools/skinpreview/skin_preview_dialog.h"

#include "ui/skin/fatal_exit.h"
#include "ui/skin/ini_section_keys.h"
#include "ui/skin/main_key_pictures.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/wide_text.h"

namespace tarvolin::skinpreview {
namespace {

constexpr wchar_t kTitle[] = L"Tarvolin Skin Preview";

const skin::SkinSurface* PictureOf(const skin::SkinImages& images, skin::MainPicture picture) {
  switch (picture) {
    case skin::MainPicture::kNormal:
      return images.at(skin::SkinImages::kNormal);
    case skin::MainPicture::kOver:
      return images.at(skin::SkinImages::kOver);
    case skin::MainPicture::kDown:
      return images.at(skin::SkinImages::kDown);
    case skin::MainPicture::kDisable:
      return images.at(skin::SkinImages::kDisable);
  }
  return nullptr;
}

}  // namespace

SkinPreviewDialog::SkinPreviewDialog(const std::wstring& skinFolder)
    : CBaseDialog(0, nullptr, skinFolder + L"Main.ini", skinFolder) {}

BOOL SkinPreviewDialog::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  SetWindowTextW(hwnd(), kTitle);
  // Like the main window: without its picture objects the window cannot work at all.
  if (!images_.Load(skin_folder(), hwnd())) skin::EndProcessSilently();
  PlaceButtons();
  ShowWindow(hwnd(), SW_SHOW);
  return TRUE;
}

void SkinPreviewDialog::PlaceButtons() {
  const std::u16string iniPath = skin_file().path();
  const skin::SkinLayout layout(skin_file().store());
  int id = kFirstButtonId;
  for (const std::u16string& key : skin::ListSectionKeys(iniPath, skin::kButtonSection)) {
    auto button = std::make_unique<widgets::CPngButton>();
    if (!button->Create(hwnd(), id++, RECT{0, 0, 1, 1}, L"")) continue;
    const skin::StatePicturePattern pattern = skin::MainKeyPicturePattern(key);
    const skin::StatePictures pictures{
        PictureOf(images_, pattern[0]), PictureOf(images_, pattern[1]),
        PictureOf(images_, pattern[2]), PictureOf(images_, pattern[3]),
        PictureOf(images_, pattern[4])};
    skin::PlaceSkinButton(*button, layout, skin::kButtonSection, key, pictures);
    button->SetTooltip(skin::ToWide(key), true);
    buttons_.push_back(std::move(button));
  }
}

}  // namespace tarvolin::skinpreview
