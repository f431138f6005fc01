#pragma once
// An installed Windows hook, removed once, so no path out of its owner can leave a hook behind
// (a forgotten low-level keyboard hook would swallow keys system-wide).
#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace tarvolin::win32 {

using UniqueHook = UniqueResource<HHOOK, &UnhookWindowsHookEx>;

}  // namespace tarvolin::win32
