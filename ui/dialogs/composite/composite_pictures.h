#pragma once
// The composite dialog's pictures at its DPI: one set of four state pictures (normal, over,
// down, disabled) per tab, each the whole dialog with that tab active and its panel, plus
// the macro set with the record button lit for a running recording.
#include <windows.h>

#include <array>
#include <string>

#include "ui/main/dpi_scale.h"
#include "ui/skin/skin_button.h"
#include "ui/skin/skin_surface.h"

namespace tarvolin::composite {

enum class PictureSet { kKey, kMacro, kMacroRecording, kMedia, kFunction };
inline constexpr std::size_t kPictureSetCount = 5;

class CompositePictures {
 public:
  // Loads every set for `scale`, on surfaces of `size` (the dialog at that DPI) with a
  // margin. False only when a picture object or surface could not be made; a missing file
  // gives a black picture.
  bool Load(const std::wstring& skinFolder, HWND window, SIZE size, mainwnd::DpiScale scale);
  // The button pictures of a set; its checked picture is the down picture.
  skin::StatePictures Pictures(PictureSet set) const;
  // The dialog's background while that set is shown.
  const skin::SkinSurface& Background(PictureSet set) const;

 private:
  std::array<std::array<skin::SkinSurface, 4>, kPictureSetCount> sets_;
};

}  // namespace tarvolin::composite
