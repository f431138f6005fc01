#pragma once
// The tray menu (resource 140) and the main window's menu button popup (resource 144),
// each with its texts read afresh from the language file when it opens.
#include <windows.h>

namespace tarvolin::tray {

// Open (bold), About, Exit at the cursor; the choice goes to `owner` as WM_COMMAND.
void ShowTrayMenu(HWND owner);
// What a double click on the icon does: the first item of the tray menu (Open).
void OpenFromTray(HWND owner);
// Import, Export, About at the cursor.
void ShowButtonMenu(HWND owner);

}  // namespace tarvolin::tray
