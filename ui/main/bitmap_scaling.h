#pragma once
// Resampling a bitmap by a DPI scale: bicubic for pictures, nearest pixel for shapes.
#include <windows.h>

#include "ui/main/dpi_scale.h"
#include "ui/skin/gdi_object.h"

namespace tarvolin::mainwnd {

// A new bitmap compatible with `reference`, DPI/96 times the size of `source`. `smooth`
// resamples with GDI+'s high-quality bicubic filter; otherwise each pixel is repeated, which
// keeps a mask's key colour exact. Empty when no bitmap could be made.
skin::BitmapHandle ScaleBitmap(HDC reference, HBITMAP source, DpiScale scale, bool smooth);

// Draws a GDI+ image (w x h) scaled to (sw x sh) at the origin of `dc` with the bicubic
// filter, clamping at the edges so the border pixels do not fade into the surroundings.
bool DrawScaled(HDC dc, void* gdiplusImage, int w, int h, int sw, int sh);

}  // namespace tarvolin::mainwnd
