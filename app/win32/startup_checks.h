#pragma once
// What a start of the program settles before any window exists: the command line, the
// single-instance mutex (a second start hands over and ends here) and the companion daemon.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tarvolin::app {

inline constexpr wchar_t kInstanceMutexName[] = L"Tarvolin_Mutex_RT207 104key";

struct StartupOutcome {
  win32::UniqueHandle instance_mutex;  // held until shutdown
  bool start_hidden = false;           // "/Start": the window never shows by itself
};

// Runs the checks; a hand-over or "/Kill" ends the process here with exit code 0.
StartupOutcome RunStartupChecks(const std::vector<std::wstring>& arguments);

// Starts the daemon hidden through the shell; its result does not matter.
void LaunchCompanionDaemon(const std::wstring& path);

// The arguments after the program name.
std::vector<std::wstring> CommandLineArguments();

}  // namespace tarvolin::app
