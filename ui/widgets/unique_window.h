#pragma once
// A window this code created (a tooltip, a popup), destroyed once.
#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace tarvolin::widgets {

// An owned window goes with its owner; destroying it again would hit a reused handle.
inline void DestroyWindowIfAlive(HWND window) {
  if (IsWindow(window)) DestroyWindow(window);
}

using UniqueWindow = win32::UniqueResource<HWND, &DestroyWindowIfAlive>;

}  // namespace tarvolin::widgets
