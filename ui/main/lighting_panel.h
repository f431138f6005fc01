#pragma once
// The lighting panel's controls on the main window: created, placed from the skin and
// labelled, with their pictures loaded once per DPI. `Show` applies what a lighting
// operation says the panel shows; the key buttons and the report-rate buttons beside the
// panel belong to the window and are drawn there.
#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "lighting/panel_reaction.h"
#include "platform/ini_store.h"
#include "ui/main/dpi_scale.h"
#include "ui/main/lighting_picture_tags.h"
#include "ui/skin/gdi_object.h"
#include "ui/widgets/bitmap_slider.h"

namespace tarvolin::mainwnd {

class LightingPanel {
 public:
  LightingPanel(HWND window, const IniStore& skin) : window_(window), skin_(skin) {}

  // Creates every control of the panel (all hidden but the lamp and the two labels beside
  // it), the progress picture (owner-drawn, hidden) and fills the user mode list.
  void Create();
  // Loads the pictures for this DPI, gives the labels and lists a font of the same DPI,
  // places every control and shows its pictures again.
  void Place(const std::wstring& skinFolder, DpiScale scale);
  void SetLabels(int language);
  void Show(const lighting::PanelUpdate& update);

 private:
  void LoadPictures(const std::wstring& skinFolder);
  void SetFonts();
  void ShowPicture(int id, const std::u16string& fileName);
  void ShowSlider(widgets::CBitmapSlider& slider, const lighting::SliderView& view);
  void FillEffectList(const std::vector<lighting::EffectEntry>& entries);
  void MoveDirectionControls(const lighting::DirectionPlacement& placement);
  HWND Control(int id) const { return GetDlgItem(window_, id); }

  HWND window_;
  const IniStore& skin_;
  DpiScale scale_;
  std::map<std::u16string, skin::BitmapHandle> pictures_;
  // The file each picture control and slider shows, to show it again after a DPI change.
  std::map<int, std::u16string> shown_;
  std::optional<lighting::DirectionPlacement> placement_;
  widgets::CBitmapSlider brightness_;
  widgets::CBitmapSlider speed_;
  skin::FontHandle font_;
  PictureTags tags_;
};

}  // namespace tarvolin::mainwnd
