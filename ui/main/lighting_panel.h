#pragma once
// The lighting panel's controls on the main window: created, placed from the skin and
// labelled, with the lamp picture and the progress picture of Apply. What the panel shows
// beyond its visibility and the key marks comes with the lighting panel's own work.
#include <windows.h>

#include <map>
#include <string>

#include "lighting/panel_reaction.h"
#include "platform/ini_store.h"
#include "ui/main/dpi_scale.h"
#include "ui/skin/gdi_object.h"
#include "ui/skin/skin_layout.h"

namespace tarvolin::mainwnd {

class LightingPanel {
 public:
  explicit LightingPanel(HWND window) : window_(window) {}

  // Creates every control of the panel (all hidden but the lamp and the two labels beside
  // it), the progress picture (owner-drawn, hidden) and fills the user mode list.
  void Create();
  void Place(const skin::SkinLayout& layout, DpiScale scale);
  void SetLabels(const IniStore& skin, int language);
  void SetLampPicture(const std::wstring& skinFolder, bool lightingMode, DpiScale scale);
  // Applies the visibility an update carries.
  void ApplyVisibility(const lighting::PanelUpdate& update);

 private:
  HWND window_;
  skin::BitmapHandle lamp_;
};

}  // namespace tarvolin::mainwnd
