#pragma once
// The skin placement operations at the window's DPI. At 96 DPI they do exactly what the
// toolkit's PlaceSkinButton and PlaceAlternateImage do.
#include <windows.h>

#include <string_view>

#include "ui/main/dpi_scale.h"
#include "ui/skin/skin_button.h"
#include "ui/skin/skin_layout.h"

namespace tarvolin::mainwnd {

// Where a button placed at skin position (x, y) copies from in a picture scaled by `scale`:
// the scaled position of the pixel one left of and above it, plus the one the button
// subtracts when it copies.
int ScaledSourcePosition(int skinPosition, DpiScale scale);

skin::LayoutValue PlaceScaledButton(skin::SkinButton& button, const skin::SkinLayout& layout,
                                    std::u16string_view key, const skin::StatePictures& pictures,
                                    DpiScale scale);

skin::LayoutValue PlaceScaledAlternate(skin::SkinButton& button, const skin::SkinLayout& layout,
                                       std::u16string_view key, std::u16string_view key2,
                                       const skin::SkinSurface* picture, DpiScale scale);

}  // namespace tarvolin::mainwnd
