#pragma once
#include <windows.h>

#include <functional>

#include "profiles/profile_context.h"

// The main window's Import (menu command 32776) and Export (32777): a file dialog, then the
// portable routines.

namespace tarvolin::profiles::win32 {

// True when a file replaced the configuration: the main window then has no unapplied
// changes. `refresh_key_buttons` runs under the edit lock after the download.
bool ImportProfile(HWND owner, ProfileContext& context,
                   const std::function<void()>& refresh_key_buttons);

// Saves the configuration under the chosen name; no message either way, as before.
void ExportProfile(HWND owner, ProfileContext& context);

}  // namespace tarvolin::profiles::win32
