#include "ui/main/lighting_panel.h"

#include <commctrl.h>

#include <array>

#include "lighting/panel_control_ids.h"
#include "lighting/panel_appearance.h"
#include "platform/win32/wide_text.h"
#include "ui/main/bitmap_scaling.h"
#include "ui/main/main_window_ids.h"
#include "ui/skin/device_context.h"

namespace tarvolin::mainwnd {
namespace {

namespace ctl = lighting::control;

enum class Kind { kLabel, kPicture, kList, kSlider };

struct PanelControl {
  int id;
  Kind kind;
  std::u16string_view skin_key;
};

constexpr std::array<PanelControl, 20> kControls = {{
    {ctl::kUsbLabel, Kind::kLabel, u"CONTROL_UsbStatic"},
    {ctl::kLampLabel, Kind::kLabel, u"CONTROL_DengStatic"},
    {ctl::kLamp, Kind::kPicture, u"CONTROL_DengStaPic"},
    {ctl::kEffectList, Kind::kList, u"CONTROL_XGcombox"},
    {ctl::kProgress, Kind::kPicture, u"CONTROL_JDTStatic"},
    {ctl::kBrightnessLabel, Kind::kLabel, u"CONTROL_LightStatic"},
    {ctl::kBrightnessSlider, Kind::kSlider, u"CONTROL_LightSlider"},
    {ctl::kSpeedLabel, Kind::kLabel, u"CONTROL_SpeedStatic"},
    {ctl::kSpeedSlider, Kind::kSlider, u"CONTROL_SpeedSlider"},
    {ctl::kDirectionLabel, Kind::kLabel, u"CONTROL_BLFXStatic"},
    {ctl::kDirectionLeftPicture, Kind::kPicture, u"CONTROL_BLFXLStaPic"},
    {ctl::kDirectionRightPicture, Kind::kPicture, u"CONTROL_BLFXRStaPic"},
    {ctl::kToolLabel, Kind::kLabel, u"CONTROL_USERgjStatic"},
    {ctl::kPaintTool, Kind::kPicture, u"CONTROL_USERgjStaPic1"},
    {ctl::kEraseTool, Kind::kPicture, u"CONTROL_USERgjStaPic2"},
    {ctl::kClearLabel, Kind::kLabel, u"CONTROL_HXsjsStatic"},
    {ctl::kClear, Kind::kPicture, u"CONTROL_HXsjsStaPic"},
    {ctl::kFillLabel, Kind::kLabel, u"CONTROL_LEDsjsStatic"},
    {ctl::kFill, Kind::kPicture, u"CONTROL_LEDsjsStaPic"},
    {ctl::kUserModeList, Kind::kList, u"CONTROL_umCombo"},
}};

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
        style |= SS_LEFT | SS_CENTERIMAGE;
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
        windowClass = TRACKBAR_CLASSW;
        style |= TBS_HORZ | TBS_NOTICKS;
        break;
    }
    HWND child = CreateWindowExW(0, windowClass, L"", style, 1, 1, 1, 1, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                 instance, nullptr);
    if (child != nullptr && control.kind == Kind::kSlider) {
      SendMessageW(child, TBM_SETRANGE, TRUE, MAKELPARAM(0, lighting::kSliderPositions - 1));
    }
  }
  HWND userModes = GetDlgItem(window_, ctl::kUserModeList);
  for (const char16_t* entry : lighting::kUserModeEntries) {
    SendMessageW(userModes, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(entry)));
  }
}

void LightingPanel::Place(const skin::SkinLayout& layout, DpiScale scale) {
  for (const PanelControl& control : kControls) {
    const skin::LayoutValue value =
        scale.Scale(layout.Read(skin::kButtonSection, control.skin_key));
    MoveWindow(GetDlgItem(window_, control.id), value.x, value.y, value.width, value.height, FALSE);
  }
}

void LightingPanel::SetLabels(const IniStore& skin, int language) {
  for (const lighting::PanelLabel& label : lighting::PanelLabels(skin, language)) {
    SetDlgItemTextW(window_, label.control_id, win32::ToWide(label.text).c_str());
  }
}

void LightingPanel::SetLampPicture(const std::wstring& skinFolder, bool lightingMode,
                                   DpiScale scale) {
  const std::wstring path = skinFolder + win32::ToWide(lighting::LampPicture(lightingMode));
  skin::BitmapHandle loaded(
      static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (loaded && !scale.IsIdentity()) {
    skin::WindowDc dc(window_);
    loaded = ScaleBitmap(dc.get(), loaded.get(), scale, true);
  }
  HWND lamp = GetDlgItem(window_, ctl::kLamp);
  SendMessageW(lamp, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(loaded.get()));
  lamp_ = std::move(loaded);
}

void LightingPanel::ApplyVisibility(const lighting::PanelUpdate& update) {
  if (!update.visibility) return;
  for (const lighting::ControlVisibility& control : *update.visibility) {
    if (control.control_id == ctl::kProgress) continue;  // Apply's own
    ShowWindow(GetDlgItem(window_, control.control_id), control.visible ? SW_SHOW : SW_HIDE);
  }
}

}  // namespace tarvolin::mainwnd
