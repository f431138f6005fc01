#pragma once
// A window shape from a mask picture: everything that is not the key colour.
#include <windows.h>

#include "ui/skin/gdi_object.h"

namespace tarvolin::widgets {

// Builds the region of the mask's non-transparent pixels (see FindOpaqueRuns). Returns an
// empty handle when the conversion cannot start (no drawing surface or no bitmap); a mask
// that is all key colour gives a valid, empty region.
skin::RegionHandle RegionFromMask(HBITMAP mask, COLORREF key, int tolerance);

}  // namespace tarvolin::widgets
