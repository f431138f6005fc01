#pragma once
// Reading the lighting panel and the key marks from outside the program.
#include <windows.h>

#include <string>

#include "tools/tdriver/fields.h"

namespace tarvolin::tdriver {

// present, picture (the file name the control publishes in its "TarvolinPicture" property
// as a global atom; empty when none), position (TBM_GETPOS, for the sliders), selection and
// count (CB_GETCURSEL / CB_GETCOUNT, -1 and 0 for other controls), frame (the key-mark frame
// colour as six hex digits from the "TarvolinFrame" property, "none" without a frame) and
// items (a list's entries joined by '|', last as it may hold blanks).
Fields PanelState(HWND control);

// visible: those of the comma-separated control ids (of the main window) that are visible, in
// the order given, comma-separated; one question for a whole panel's visibility.
Fields VisibleAmong(HWND main, const std::string& ids);

// Picks entry `index` of a drop-down list as a user does: the list's selection, then its
// selection-change notification posted to the main window.
bool SelectListEntry(HWND main, HWND list, int index);

}  // namespace tarvolin::tdriver
