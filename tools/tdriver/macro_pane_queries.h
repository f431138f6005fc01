#pragma once
// The macro pane of the composite dialog seen from outside the program: its controls, the
// rows of its action list and their cell rectangles (read through the program's memory, as a
// list view answers with pointers).
#include <windows.h>

#include <string>
#include <vector>

#include "tools/tdriver/fields.h"

namespace tarvolin::tdriver {

// The visible dialog of the processes that holds the macro action list (control 1019).
HWND FindMacroPaneDialog(const std::vector<DWORD>& processIds);

// Control `id` of that dialog: the fields of ControlState; for the action list also rows,
// selected (-1 for none) and editing (1 while an in-place editor or choice box is shown).
Fields PaneControlState(HWND dialog, int id);

// Row `row` of the action list: key, direction ("down"/"up"), delay, and rect (screen
// pixels, left,top,right,bottom) of each cell as rect0..rect2.
Fields PaneRow(HWND dialog, int row);

// Every row of the action list as "key<TAB>down|up<TAB>delay" lines in `listing`; "rows" =
// their count.
Fields PaneSteps(HWND dialog, std::string* listing);

// Scrolls the action list so row `row` is in view (its cells can then be clicked).
bool ShowPaneRow(HWND dialog, int row);

}  // namespace tarvolin::tdriver
