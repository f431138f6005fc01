#pragma once
// Reading and driving the main window's controls from outside the program.
#include <windows.h>

#include <string>

#include "tools/tdriver/fields.h"

namespace tarvolin::tdriver {

// Control `id` of the main window, or the main window itself for id 0.
HWND ControlOf(HWND main, int id);

// present, visible, enabled, checked, rect (screen pixels: left,top,right,bottom), caption.
// Checked is the button's BM_GETCHECK answer; the program's image buttons answer it with
// their checked look.
Fields ControlState(HWND control);

// The tray icon id the main window publishes in its "TarvolinTrayIcon" property (0: none).
Fields TrayState(HWND main);

// Every top-level window of the processes: "windows" = count, "visible" = visible count,
// and one line per window for the listing.
Fields TopLevelSummary(const std::vector<DWORD>& processIds, std::string* listing);

// A click as the button itself takes it (BM_CLICK), or as a mouse press and release at the
// control's centre; both posted, so a dialog that the click opens does not block the driver.
bool PostButtonClick(HWND control);
bool PostMouseClick(HWND control);

}  // namespace tarvolin::tdriver
