#pragma once
// An in-memory dialog template for windows whose controls are all made in code.
#include <windows.h>

#include <vector>

namespace tarvolin::widgets {

// A borderless popup dialog with no controls, `width` by `height` dialog units; the skin
// resizes it to its background picture.
std::vector<WORD> BlankDialogTemplate(DWORD style, short width, short height);

}  // namespace tarvolin::widgets
