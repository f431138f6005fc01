#pragma once
// Message boxes of the program: found among its top-level windows, read and answered.
#include <windows.h>

#include <string_view>
#include <vector>

#include "tools/tdriver/fields.h"

namespace tarvolin::tdriver {

// The first visible message box of the processes (a dialog with the message text control),
// or nullptr.
HWND FindMessageBox(const std::vector<DWORD>& processIds);

// present, buttons (comma-separated: ok, cancel, yes, no, ...), default (the default button),
// title, text.
Fields MessageBoxState(HWND box);

// Presses the named button ("yes", "no", "ok", "cancel", ...) as a click would; false when the
// box has no such button.
bool AnswerMessageBox(HWND box, std::string_view button);

}  // namespace tarvolin::tdriver
