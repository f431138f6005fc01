#pragma once
// The GDI+ flat API (C functions exported by gdiplus.dll), without the C++ wrapper classes.
#include <windows.h>
// WIN32_LEAN_AND_MEAN leaves out the COM types gdiplus.h needs.
#include <objidl.h>
#include <propidl.h>
// gdiplus.h needs min/max from windows.h, which NOMINMAX hides.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace tarvolin::skin::gdip {
using namespace Gdiplus::DllExports;
using Gdiplus::GpBitmap;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpStatus;
}  // namespace tarvolin::skin::gdip
