#include "tools/skinpreview/skin_preview_dialog.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"
#include "tools/skinpreview/skin_key_role.h"
#include "ui/skin/fatal_exit.h"
#include "ui/skin/ini_section_keys.h"
#include "ui/skin/main_key_pictures.h"

namespace tarvolin::skinpreview {
namespace {

constexpr wchar_t kTitle[] = L"Tarvolin Skin Preview";
constexpr COLORREF kLabelColour = RGB(255, 255, 255);

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

bool SkinPreviewDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_CTLCOLORSTATIC) return false;
  // The panel's texts and pictures stand on the skin's own background.
  const auto dc = reinterpret_cast<HDC>(wParam);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLabelColour);
  result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  return true;
}

void SkinPreviewDialog::PlaceButtons() {
  const skin::SkinLayout layout(skin_file().store());
  int id = kFirstButtonId;
  for (const std::u16string& key :
       skin::ListSectionKeys(skin_file().path(), skin::kButtonSection)) {
    switch (SkinKeyRoleOf(key)) {
      case SkinKeyRole::kImageButton:
        PlaceImageButton(layout, key, id++);
        break;
      case SkinKeyRole::kArrow:
        PlaceArrow(layout, key, id++);
        break;
      case SkinKeyRole::kAlternatePosition:
        break;  // where the panel moves one of its own controls for some effects
      default:
        PlacePanelControl(layout, key, id++);
        break;
    }
  }
}

void SkinPreviewDialog::PlaceImageButton(const skin::SkinLayout& layout, std::u16string_view key,
                                         int id) {
  auto button = std::make_unique<widgets::CPngButton>();
  if (!button->Create(hwnd(), id, RECT{0, 0, 1, 1}, L"")) return;
  const skin::StatePicturePattern pattern = skin::MainKeyPicturePattern(key);
  const skin::StatePictures pictures{PictureOf(images_, pattern[0]), PictureOf(images_, pattern[1]),
                                     PictureOf(images_, pattern[2]), PictureOf(images_, pattern[3]),
                                     PictureOf(images_, pattern[4])};
  skin::PlaceSkinButton(*button, layout, skin::kButtonSection, key, pictures);
  button->SetTooltip(win32::ToWide(key), true);
  buttons_.push_back(std::move(button));
}

void SkinPreviewDialog::PlaceArrow(const skin::SkinLayout& layout, std::u16string_view key,
                                   int id) {
  // A hint picture, never a button: shown as with Flip 1 pressed.
  auto arrow = std::make_unique<widgets::CPngButton>();
  if (!arrow->Create(hwnd(), id, RECT{0, 0, 1, 1}, L"")) return;
  skin::PlaceAlternateImage(*arrow, layout, skin::kButtonSection, key, skin::kButtonSection2,
                            ArrowPictureKey(key), images_.at(skin::SkinImages::kArrow));
  EnableWindow(arrow->hwnd(), FALSE);
  buttons_.push_back(std::move(arrow));
}

void SkinPreviewDialog::PlacePanelControl(const skin::SkinLayout& layout, std::u16string_view key,
                                          int id) {
  const SkinKeyRole role = SkinKeyRoleOf(key);
  const wchar_t* window_class = WC_STATICW;
  DWORD style = WS_CHILD | WS_VISIBLE;
  std::wstring text;
  switch (role) {
    case SkinKeyRole::kList:
      window_class = WC_COMBOBOXW;
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      break;
    case SkinKeyRole::kSlider:
      window_class = TRACKBAR_CLASSW;
      style |= TBS_HORZ | TBS_NOTICKS;
      break;
    case SkinKeyRole::kText:
      text = win32::ToWide(key);
      break;
    default:
      style |= SS_ETCHEDFRAME;  // a picture the program draws: its frame shows where
      break;
  }
  HWND control = CreateWindowExW(0, window_class, text.c_str(), style, 0, 0, 1, 1, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) return;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  if (role == SkinKeyRole::kList) {
    SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::ToWide(key).c_str()));
    SendMessageW(control, CB_SETCURSEL, 0, 0);
  }
  skin::PlaceControl(control, layout, skin::kButtonSection, key);
}

}  // namespace tarvolin::skinpreview
