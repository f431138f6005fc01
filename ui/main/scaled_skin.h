#pragma once
// The main window's pictures at the window's DPI. At 96 DPI they are the toolkit's own
// surfaces, pixel for pixel; at any other DPI each picture is resampled once, with bicubic
// filtering, and the window's background and shape follow.
#include <windows.h>

#include <array>
#include <string>

#include "ui/main/dpi_scale.h"
#include "ui/skin/gdi_object.h"
#include "ui/skin/main_key_pictures.h"
#include "ui/skin/skin_image_set.h"
#include "ui/skin/skin_surface.h"

namespace tarvolin::mainwnd {

class ScaledSkin {
 public:
  // Loads the pictures for `scale`. False only when a picture object or a surface could not
  // be made (the window cannot work then); a missing picture file is not a failure.
  bool Load(const std::wstring& skinFolder, HWND window, HBITMAP background, HBITMAP mask,
            DpiScale scale);

  DpiScale scale() const { return scale_; }
  const skin::SkinSurface* Picture(skin::MainPicture picture) const;
  // The second set of the four pictures (the Flip indicator in Flip 1).
  const skin::SkinSurface* SecondPicture(skin::MainPicture picture) const;
  const skin::SkinSurface* Arrow() const;
  // The background at the window's DPI; null at 96 DPI, where the dialog paints its own.
  HBITMAP scaled_background() const { return background_.get(); }
  SIZE window_size() const { return window_size_; }
  // A fresh window shape at this DPI (the window takes ownership); empty at 96 DPI.
  skin::RegionHandle MakeShape() const;

 private:
  bool LoadScaled(const std::wstring& skinFolder, HWND window);

  DpiScale scale_;
  skin::SkinImages unscaled_;
  std::array<skin::SkinSurface, skin::SkinImages::kColour0> scaled_;  // slots before colours
  skin::BitmapHandle background_;
  skin::BitmapHandle mask_;
  SIZE window_size_{0, 0};
};

}  // namespace tarvolin::mainwnd
