#pragma once
// A menu made with CreatePopupMenu, destroyed once.
#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace tarvolin::skin {

using MenuHandle = win32::UniqueResource<HMENU, &DestroyMenu>;

}  // namespace tarvolin::skin
