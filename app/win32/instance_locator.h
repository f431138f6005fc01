#pragma once
// Finding the running instance of the program and handing a start over to it.
#include <windows.h>

#include <string_view>

namespace tarvolin::app {

enum class HandOverMode { kOpen, kKill };

// Step 1: the first process in the system's list whose executable name equals
// `programFileName` (any case), other than this process; 0 when there is none. Skipping
// ourselves keeps the answer right whatever order the list comes in.
DWORD FindOtherInstance(std::wstring_view programFileName);

// Step 2: walks the top-level windows from the top of the Z order; the first one of
// `process` that carries the main window marker gets MainMsgOpen or MainMsgKill, sent
// synchronously. True when a window took it.
bool HandOver(DWORD process, HandOverMode mode);

}  // namespace tarvolin::app
