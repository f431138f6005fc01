// The composite dialog's look: its size and shape at the host's DPI, the picture set of the
// tab shown, the placement of every control from "Composite.ini", fonts, texts, and where
// the window opens.
#include "app/app_state.h"
#include "i18n/language_loader.h"
#include "i18n/language_table.h"
#include "platform/win32/wide_text.h"
#include "ui/dialogs/composite/composite_ids.h"
#include "ui/dialogs/composite/tarvolin_dlg_composite.h"
#include "ui/main/bitmap_scaling.h"
#include "ui/main/scaled_placement.h"
#include "ui/skin/device_context.h"
#include "ui/skin/fatal_exit.h"
#include "ui/skin/skin_layout.h"
#include "ui/widgets/mask_region.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::composite {
namespace {

constexpr COLORREF kMaskTransparent = RGB(255, 255, 255);
constexpr COLORREF kLabelText = RGB(228, 228, 228);
constexpr int kRecordCaptionPoints = 8;
constexpr int kKeyFontPoints = 18;
constexpr int kListFontPoints = 12;

bool HasCaption(int id) {
  return id != ids::kTitle && id != ids::kMask && id != ids::kClear && id != ids::kOsk &&
         id != IDC_MACRO_ADD && id != IDC_MACRO_DELETE;
}

void SetText(HWND dialog, int id, const std::u16string& text) {
  SetDlgItemTextW(dialog, id, win32::ToWide(text).c_str());
  InvalidateRect(GetDlgItem(dialog, id), nullptr, FALSE);
}

}  // namespace

void Tarvolin_DlgComposite::SetUpWindow() {
  const SIZE base = widgets::BitmapSize(background());
  size_ = SIZE{scale_.Scale(base.cx), scale_.Scale(base.cy)};
  if (!scale_.IsIdentity()) {
    SetWindowPos(hwnd(), nullptr, 0, 0, size_.cx, size_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    skin::WindowDc windowDc(hwnd());
    skin::BitmapHandle mask = mainwnd::ScaleBitmap(windowDc.get(), this->mask(), scale_, false);
    skin::RegionHandle shape;
    if (mask) shape = widgets::RegionFromMask(mask.get(), kMaskTransparent, 0);
    if (shape && SetWindowRgn(hwnd(), shape.get(), TRUE) != 0) shape.Release();
  }
  // The pictures are decoded once per DPI; the window is made afresh at every opening.
  if (pictures_dpi_ != scale_.dpi()) {
    if (!pictures_.Load(skin_folder(), hwnd(), size_, scale_)) skin::EndProcessSilently();
    pictures_dpi_ = scale_.dpi();
  }
  label_brush_.Reset();
}

void Tarvolin_DlgComposite::AttachButtons() {
  buttons_.clear();
  for (const ids::Placed& placed : ids::kImageButtons) {
    auto button = std::make_unique<widgets::CPngButton>();
    if (!button->Attach(GetDlgItem(hwnd(), placed.id))) continue;
    if (HasCaption(placed.id)) {
      button->SetTextStyle(1, placed.id == ids::kRecord ? kRecordCaptionPoints : ids::kCaptionPoints,
                           L"Tahoma", ids::kCaptionText, ids::kCaptionFormat);
    }
    buttons_.emplace(placed.id, std::move(button));
  }
  auto apply = std::make_unique<widgets::CPngButton>();
  if (apply->Attach(GetDlgItem(hwnd(), ids::kApply))) {
    apply->SetTextStyle(1, ids::kCaptionPoints, L"Tahoma", ids::kCaptionText, ids::kCaptionFormat);
    buttons_.emplace(ids::kApply, std::move(apply));
  }
}

void Tarvolin_DlgComposite::PlaceControls() {
  const skin::SkinLayout layout(skin_store_);
  const skin::StatePictures pictures = pictures_.Pictures(picture_set_);
  for (const ids::Placed& placed : ids::kImageButtons) {
    const auto found = buttons_.find(placed.id);
    if (found == buttons_.end()) continue;
    mainwnd::PlaceScaledButton(*found->second, layout, placed.skin_key, pictures, scale_);
  }
  for (const ids::Placed& placed : ids::kPlainControls) {
    const skin::LayoutValue value =
        scale_.Scale(layout.Read(skin::kButtonSection, placed.skin_key));
    MoveWindow(GetDlgItem(hwnd(), placed.id), value.x, value.y, value.width, value.height, FALSE);
  }
  // Apply has no place of its own in the skin: it sits left of OK, as far from it as Cancel,
  // and wears OK's plate (the caption is drawn on it).
  const skin::LayoutValue ok = layout.Read(skin::kButtonSection, u"CONTROL_OK");
  const skin::LayoutValue cancel = layout.Read(skin::kButtonSection, u"CONTROL_CANCEL");
  if (const auto apply = buttons_.find(ids::kApply); apply != buttons_.end()) {
    const int gap = cancel.IsAbsent() ? 7 : cancel.x - (ok.x + ok.width);
    const skin::LayoutValue value =
        scale_.Scale(skin::LayoutValue{ok.x - gap - ok.width, ok.y, ok.width, ok.height});
    MoveWindow(apply->second->Handle(), value.x, value.y, value.width, value.height, FALSE);
    apply->second->SetSkin(mainwnd::ScaledSourcePosition(ok.x, scale_),
                           mainwnd::ScaledSourcePosition(ok.y, scale_), pictures);
  }
}

void Tarvolin_DlgComposite::CreateFonts() {
  const int dpi = scale_.dpi();
  const auto make = [dpi](int points) {
    return skin::FontHandle(CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                        DEFAULT_PITCH | FF_SWISS, L"Verdana"));
  };
  if (!key_font_ || font_dpi_ != dpi) {
    key_font_ = make(kKeyFontPoints);
    list_font_ = make(kListFontPoints);
    font_dpi_ = dpi;
  }
  SendDlgItemMessageW(hwnd(), ids::kKeyInput, WM_SETFONT, reinterpret_cast<WPARAM>(key_font_.get()),
                      FALSE);
  for (int id : {ids::kMediaList, ids::kFunctionList, ids::kMacroCombo}) {
    SendDlgItemMessageW(hwnd(), id, WM_SETFONT, reinterpret_cast<WPARAM>(list_font_.get()), FALSE);
  }
}

void Tarvolin_DlgComposite::LoadTexts() {
  const tarvolin::Language language = LoadCompositeTexts(host_.LanguageFile());
  HWND dialog = hwnd();
  const auto text = [](TextKey key) { return LanguageText(key); };
  if (const auto clear = buttons_.find(ids::kClear); clear != buttons_.end()) {
    clear->second->SetTooltip(win32::ToWide(text(TextKey::COMPOSITE_PROMPT_CLEAR)), true);
  }
  if (const auto osk = buttons_.find(ids::kOsk); osk != buttons_.end()) {
    osk->second->SetTooltip(win32::ToWide(text(TextKey::COMPOSITE_PROMPT_OSK)), true);
  }
  SetText(dialog, ids::kCyclesLabel, text(TextKey::MACRO_CYCLES));
  SetText(dialog, ids::kRecordDelayLabel, text(TextKey::RECORD_DELAY));
  SetText(dialog, ids::kTabMacro, text(TextKey::MACRO_SETTING));
  SetText(dialog, ids::kTabKey, macro_only_ ? u"" : text(TextKey::SINGLE_KEY));
  SetText(dialog, ids::kTabMedia, macro_only_ ? u"" : text(TextKey::MULTI_MEDIA));
  SetText(dialog, ids::kTabFunction, macro_only_ ? u"" : text(TextKey::FUNCTION_KEY));
  SetText(dialog, IDC_MACRO_TO_TOP, text(TextKey::A_TOP));
  SetText(dialog, IDC_MACRO_UP, text(TextKey::A_UP));
  SetText(dialog, IDC_MACRO_DOWN, text(TextKey::A_DOWN));
  SetText(dialog, IDC_MACRO_TO_BOTTOM, text(TextKey::A_BOTTOM));
  if (!pane_.IsRecording()) SetText(dialog, ids::kRecord, text(TextKey::A_RECORD));
  SetText(dialog, IDC_MACRO_DELETE_ACTION, text(TextKey::A_DELETE));
  SetText(dialog, IDC_MACRO_CLEAR_ACTIONS, text(TextKey::A_CLEAR));
  SetText(dialog, IDOK, text(TextKey::MACRO_OK));
  SetText(dialog, IDCANCEL, text(TextKey::MACRO_CANCLE));
  // The dialog's Apply has no text of its own; the profile manager's Apply reads the same.
  SetText(dialog, ids::kApply, ReadLanguageText(host_.LanguageFile(), language, "PROFILE_APPLY"));
  SetText(dialog, ids::kPromptSingle, text(TextKey::SINGLE_STATIC));
  SetText(dialog, ids::kPromptMacroName, text(TextKey::MACRO_NAME_SETTING));
  SetText(dialog, ids::kPromptKeySetting,
          text(macro_only_ ? TextKey::MACRO_EDIT_TISHI : TextKey::KEY_SETTING_TISHI));
  SetText(dialog, ids::kPromptMedia, text(TextKey::MEDIA_EDIT_TISHI));
  SetText(dialog, ids::kPromptFunction, text(TextKey::FUNCTION_TISHI));
}

void Tarvolin_DlgComposite::SetPictureSet(PictureSet set) {
  picture_set_ = set;
  label_brush_.Reset();
  const skin::StatePictures pictures = pictures_.Pictures(set);
  for (auto& [id, button] : buttons_) {
    const bool recording = id == ids::kRecord && pane_.IsRecording();
    button->SetPictures(recording ? pictures_.Pictures(PictureSet::kMacroRecording) : pictures);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void Tarvolin_DlgComposite::PlaceBesideButton() {
  const std::optional<RECT> button = host_.KeyButtonScreenRect(button_id_);
  if (!button) return;
  const ScreenPoint at = composite::PlaceBesideButton(
      ScreenRect{button->left, button->top, button->right, button->bottom}, size_.cx, size_.cy,
      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Tarvolin_DlgComposite::PaintBackground(HDC dc) {
  if (dc == nullptr) return;
  const skin::SkinSurface& background = pictures_.Background(picture_set_);
  if (!background.IsReady()) return;
  BitBlt(dc, 0, 0, size_.cx, size_.cy, background.dc(), 0, 0, SRCCOPY);
}

// Labels and the check box show the picture behind them.
HBRUSH Tarvolin_DlgComposite::LabelBrush(HDC dc, HWND label) {
  if (!label_brush_) {
    const skin::SkinSurface& background = pictures_.Background(picture_set_);
    skin::BitmapHandle copy(CreateCompatibleBitmap(background.dc(), size_.cx, size_.cy));
    if (copy) {
      skin::MemoryDc target(background.dc());
      {
        skin::SelectedObject selected(target.get(), copy.get());
        BitBlt(target.get(), 0, 0, size_.cx, size_.cy, background.dc(), 0, 0, SRCCOPY);
      }
      label_brush_.Reset(CreatePatternBrush(copy.get()));
    }
  }
  RECT place{};
  GetWindowRect(label, &place);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
  SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLabelText);
  return label_brush_.get();
}

}  // namespace tarvolin::composite
