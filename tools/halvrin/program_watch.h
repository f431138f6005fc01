#pragma once
// Watching the running instances of the program: Halvrin lives exactly as long as they do.
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tarvolin::halvrin {

inline constexpr std::wstring_view kProgramFileName = L"Tarvolin.exe";

// Handles (synchronise access) of every running process with that executable name, compared
// without regard to case. Processes that end while the list is taken are simply not in it.
std::vector<win32::UniqueHandle> OpenRunningInstances(std::wstring_view exeName);

// Blocks until no process of that name is left: waits for any of the known ones to end, then
// looks again, so an instance started meanwhile keeps Halvrin alive.
void WaitUntilNoInstanceRemains(std::wstring_view exeName);

}  // namespace tarvolin::halvrin
