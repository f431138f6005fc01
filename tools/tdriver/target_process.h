#pragma once
// The process the driver looks at, found by executable name, and its windows.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarvolin::tdriver {

inline constexpr LONG_PTR kMainWindowMarker = 0x4D41494E;  // "MAIN"

// Ids of every running process with that executable name (case ignored), oldest first as the
// system lists them.
std::vector<DWORD> ProcessIds(std::wstring_view exeName);

// Top-level windows that belong to one of the processes, top of the Z order first.
std::vector<HWND> TopLevelWindows(const std::vector<DWORD>& processIds);

// The marked main window among them, or nullptr.
HWND FindMainWindow(const std::vector<DWORD>& processIds);

DWORD WindowProcessId(HWND window);
std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);

}  // namespace tarvolin::tdriver
