#pragma once
// The profile manager's button pictures (normal, hover, pressed; pressed again for disabled)
// decoded once per run, and kept as surfaces at the dialog's DPI.
#include <windows.h>

#include <array>
#include <string>

#include "ui/main/dpi_scale.h"
#include "ui/skin/skin_button.h"
#include "ui/skin/skin_image.h"
#include "ui/skin/skin_surface.h"

namespace tarvolin::dialogs {

class ProfilePictures {
 public:
  // Decodes the three pictures the first time; any of them missing ends the program, as a
  // dialog without its buttons cannot be used.
  void LoadOnce(const std::wstring& skinFolder);
  bool IsLoaded() const { return loaded_; }

  // Builds the surfaces for `window` (already at its final size) at `scale`. False when a
  // drawing object could not be made.
  bool MakeSurfaces(HWND window, mainwnd::DpiScale scale);

  // Normal, hover, pressed, disabled (the pressed picture) and checked (normal).
  skin::StatePictures States() const;

 private:
  enum Slot : std::size_t { kNormal, kOver, kDown, kCount };
  std::array<skin::SkinImage, kCount> images_;
  std::array<skin::SkinSurface, kCount> surfaces_;
  bool loaded_ = false;
};

}  // namespace tarvolin::dialogs
