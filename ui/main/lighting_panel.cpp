#include "ui/main/lighting_panel.h"

#include <commctrl.h>

#include <array>

#include "lighting/lighting_fields.h"
#include "lighting/panel_appearance.h"
#include "lighting/panel_control_ids.h"
#include "platform/win32/wide_text.h"
#include "ui/main/bitmap_scaling.h"
#include "ui/skin/device_context.h"
#include "ui/skin/skin_layout.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::mainwnd {
namespace {

namespace ctl = lighting::control;

enum class Kind { kLabel, kPicture, kList, kSlider };

struct PanelControl {
  int id;
  Kind kind;
  std::u16string_view skin_key;
  // The label a language without skin texts keeps.
  const wchar_t* template_text = L"";
};

constexpr std::array<PanelControl, 20> kControls = {{
    {ctl::kUsbLabel, Kind::kLabel, u"CONTROL_UsbStatic", L"Report rate"},
    {ctl::kLampLabel, Kind::kLabel, u"CONTROL_DengStatic", L"Lighting"},
    {ctl::kLamp, Kind::kPicture, u"CONTROL_DengStaPic"},
    {ctl::kEffectList, Kind::kList, u"CONTROL_XGcombox"},
    {ctl::kProgress, Kind::kPicture, u"CONTROL_JDTStatic"},
    {ctl::kBrightnessLabel, Kind::kLabel, u"CONTROL_LightStatic", L"Brightness"},
    {ctl::kBrightnessSlider, Kind::kSlider, u"CONTROL_LightSlider"},
    {ctl::kSpeedLabel, Kind::kLabel, u"CONTROL_SpeedStatic", L"Speed"},
    {ctl::kSpeedSlider, Kind::kSlider, u"CONTROL_SpeedSlider"},
    {ctl::kDirectionLabel, Kind::kLabel, u"CONTROL_BLFXStatic", L"Direction"},
    {ctl::kDirectionLeftPicture, Kind::kPicture, u"CONTROL_BLFXLStaPic"},
    {ctl::kDirectionRightPicture, Kind::kPicture, u"CONTROL_BLFXRStaPic"},
    {ctl::kToolLabel, Kind::kLabel, u"CONTROL_USERgjStatic", L"Tool"},
    {ctl::kPaintTool, Kind::kPicture, u"CONTROL_USERgjStaPic1"},
    {ctl::kEraseTool, Kind::kPicture, u"CONTROL_USERgjStaPic2"},
    {ctl::kClearLabel, Kind::kLabel, u"CONTROL_HXsjsStatic", L"All keys off"},
    {ctl::kClear, Kind::kPicture, u"CONTROL_HXsjsStaPic"},
    {ctl::kFillLabel, Kind::kLabel, u"CONTROL_LEDsjsStatic", L"All keys on"},
    {ctl::kFill, Kind::kPicture, u"CONTROL_LEDsjsStaPic"},
    {ctl::kUserModeList, Kind::kList, u"CONTROL_umCombo"},
}};

// Every picture the panel shows, loaded once (the progress frames are loaded with Apply's
// busy indicator).
constexpr std::array<std::u16string_view, 30> kPictureFiles = {
    u"dengup.bmp",    u"dengdown.bmp", u"leftup.bmp",     u"leftdown.bmp", u"rightup.bmp",
    u"rightdown.bmp", u"kuosan.bmp",   u"kuosandown.bmp", u"julong.bmp",   u"julongdown.bmp",
    u"upup.bmp",      u"updown.bmp",   u"downup.bmp",     u"downdown.bmp", u"0.bmp",
    u"1.bmp",         u"2.bmp",        u"3.bmp",          u"4.bmp",        u"5.bmp",
    u"6.bmp",         u"7.bmp",        u"8.bmp",          u"9.bmp",        u"sjsup.bmp",
    u"sjsdown.bmp",   u"user1up.bmp",  u"user1down.bmp",  u"user2up.bmp",  u"user2down.bmp"};

// The labels' type: the size the main window's captions use, at the window's DPI.
constexpr int kLabelPoints = 9;
constexpr wchar_t kLabelFace[] = L"Tahoma";

bool AlwaysVisible(int id) {
  return id == ctl::kUsbLabel || id == ctl::kLampLabel || id == ctl::kLamp;
}

}  // namespace

void LightingPanel::Create() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const PanelControl& control : kControls) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (AlwaysVisible(control.id) ? WS_VISIBLE : 0);
    const wchar_t* windowClass = L"STATIC";
    switch (control.kind) {
      case Kind::kLabel:
        style |= SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX;
        break;
      case Kind::kPicture:
        // The progress picture is drawn by the window (and by the busy thread).
        style |= control.id == ctl::kProgress ? SS_OWNERDRAW
                                              : SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL;
        break;
      case Kind::kList:
        windowClass = WC_COMBOBOXW;
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        break;
      case Kind::kSlider:
        style |= SS_NOTIFY;
        break;
    }
    HWND child = CreateWindowExW(0, windowClass, control.template_text, style, 1, 1, 1, 1, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                 instance, nullptr);
    if (child == nullptr || control.kind != Kind::kSlider) continue;
    widgets::CBitmapSlider& slider = control.id == ctl::kBrightnessSlider ? brightness_ : speed_;
    slider.Attach(child);
    slider.SetRange(0, lighting::kSliderPositions - 1);
  }
  HWND userModes = Control(ctl::kUserModeList);
  for (const char16_t* entry : lighting::kUserModeEntries) {
    SendMessageW(userModes, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(entry)));
  }
  // Both sliders start at position 0 with the first brightness picture, the lamp off.
  shown_[ctl::kBrightnessSlider] = u"0.bmp";
  shown_[ctl::kSpeedSlider] = u"0.bmp";
  shown_[ctl::kLamp] = lighting::LampPicture(false);
  shown_[ctl::kFill] = lighting::kFillClearReleased;
  shown_[ctl::kClear] = lighting::kFillClearReleased;
  shown_[ctl::kPaintTool] = lighting::PaintToolPicture(true);
  shown_[ctl::kEraseTool] = lighting::EraseToolPicture(false);
}

void LightingPanel::LoadPictures(const std::wstring& skinFolder) {
  pictures_.clear();
  skin::WindowDc dc(window_);
  for (std::u16string_view file : kPictureFiles) {
    const std::u16string name(file);
    // A missing file gives an empty picture, silently.
    skin::BitmapHandle loaded(static_cast<HBITMAP>(LoadImageW(
        nullptr, (skinFolder + win32::ToWide(name)).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (loaded && !scale_.IsIdentity()) loaded = ScaleBitmap(dc.get(), loaded.get(), scale_, true);
    pictures_[name] = std::move(loaded);
  }
}

void LightingPanel::SetFonts() {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(kLabelPoints, scale_.dpi(), 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcscpy_s(font.lfFaceName, kLabelFace);
  skin::FontHandle created(CreateFontIndirectW(&font));
  if (!created) return;
  for (const PanelControl& control : kControls) {
    if (control.kind == Kind::kLabel || control.kind == Kind::kList) {
      SendMessageW(Control(control.id), WM_SETFONT, reinterpret_cast<WPARAM>(created.get()), TRUE);
    }
  }
  font_ = std::move(created);  // the old font is deleted once no control uses it
}

void LightingPanel::Place(const std::wstring& skinFolder, DpiScale scale) {
  scale_ = scale;
  // The controls show the old pictures until they are given the new ones below.
  const std::map<std::u16string, skin::BitmapHandle> previous = std::move(pictures_);
  LoadPictures(skinFolder);
  SetFonts();
  const skin::SkinLayout layout(skin_);
  for (const PanelControl& control : kControls) {
    const skin::LayoutValue value =
        scale_.Scale(layout.Read(skin::kButtonSection, control.skin_key));
    MoveWindow(Control(control.id), value.x, value.y, value.width, value.height, FALSE);
  }
  if (placement_) MoveDirectionControls(*placement_);
  const std::map<int, std::u16string> shown = shown_;
  for (const auto& [id, file] : shown) ShowPicture(id, file);
  InvalidateRect(window_, nullptr, TRUE);
}

void LightingPanel::SetLabels(int language) {
  for (const lighting::PanelLabel& label : lighting::PanelLabels(skin_, language)) {
    SetDlgItemTextW(window_, label.control_id, win32::ToWide(label.text).c_str());
  }
}

void LightingPanel::ShowPicture(int id, const std::u16string& fileName) {
  shown_[id] = fileName;
  const auto found = pictures_.find(fileName);
  HBITMAP picture = found == pictures_.end() ? nullptr : found->second.get();
  HWND control = Control(id);
  if (id == ctl::kBrightnessSlider || id == ctl::kSpeedSlider) {
    (id == ctl::kBrightnessSlider ? brightness_ : speed_).SetPicture(picture);
  } else {
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    // The static keeps its size from the skin; the picture is stretched to it.
    InvalidateRect(control, nullptr, TRUE);
  }
  tags_.Tag(control, fileName);
}

void LightingPanel::ShowSlider(widgets::CBitmapSlider& slider, const lighting::SliderView& view) {
  slider.SetPos(view.position);
  ShowPicture(GetDlgCtrlID(slider.hwnd()), view.picture);
}

void LightingPanel::FillEffectList(const std::vector<lighting::EffectEntry>& entries) {
  HWND list = Control(ctl::kEffectList);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const lighting::EffectEntry& entry : entries) {
    SendMessageW(list, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(win32::ToWide(entry.name).c_str()));
  }
}

void LightingPanel::MoveDirectionControls(const lighting::DirectionPlacement& placement) {
  placement_ = placement;
  const skin::SkinLayout layout(skin_);
  const std::pair<int, const std::u16string*> moves[] = {
      {ctl::kDirectionLabel, &placement.label_key},
      {ctl::kDirectionLeftPicture, &placement.left_key},
      {ctl::kDirectionRightPicture, &placement.right_key}};
  for (const auto& [id, key] : moves) {
    // Position only: the size stays the one the skin gives the control itself.
    const skin::LayoutValue value = scale_.Scale(layout.Read(skin::kButtonSection, *key));
    SetWindowPos(Control(id), nullptr, value.x, value.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

void LightingPanel::Show(const lighting::PanelUpdate& update) {
  if (update.effect_list) FillEffectList(*update.effect_list);
  if (update.effect_selection) {
    SendMessageW(Control(ctl::kEffectList), CB_SETCURSEL,
                 static_cast<WPARAM>(*update.effect_selection), 0);
  }
  if (update.brightness_slider) ShowSlider(brightness_, *update.brightness_slider);
  if (update.speed_slider) ShowSlider(speed_, *update.speed_slider);
  if (update.lamp_picture) ShowPicture(ctl::kLamp, *update.lamp_picture);
  if (update.user_mode_selection) {
    // Modes beyond the list's four show no selection.
    SendMessageW(Control(ctl::kUserModeList), CB_SETCURSEL,
                 static_cast<WPARAM>(*update.user_mode_selection < ctl::kUserModeListEntries
                                         ? *update.user_mode_selection
                                         : -1),
                 0);
  }
  if (update.direction_placement) MoveDirectionControls(*update.direction_placement);
  if (update.direction_pictures) {
    ShowPicture(ctl::kDirectionLeftPicture, update.direction_pictures->left);
    ShowPicture(ctl::kDirectionRightPicture, update.direction_pictures->right);
  }
  if (update.fill_clear) {
    ShowPicture(ctl::kFill, update.fill_clear->fill_pressed ? lighting::kFillClearPressed
                                                            : lighting::kFillClearReleased);
    ShowPicture(ctl::kClear, update.fill_clear->clear_pressed ? lighting::kFillClearPressed
                                                              : lighting::kFillClearReleased);
  }
  if (update.tool_pressed) {
    const bool paint = *update.tool_pressed == lighting::kToolPaint;
    ShowPicture(ctl::kPaintTool, lighting::PaintToolPicture(paint));
    ShowPicture(ctl::kEraseTool, lighting::EraseToolPicture(!paint));
  }
  if (update.visibility) {
    for (const lighting::ControlVisibility& control : *update.visibility) {
      if (control.control_id == ctl::kProgress) continue;  // Apply's own
      ShowWindow(Control(control.control_id), control.visible ? SW_SHOWNA : SW_HIDE);
    }
  }
}

}  // namespace tarvolin::mainwnd
