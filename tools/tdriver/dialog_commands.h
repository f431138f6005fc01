#pragma once
// The program's dialogs other than the main window, read and driven from outside: a dialog
// found by one of its controls, its report lists (rows, ticks, clicks on a row or its check
// box) and the common file dialogs (the proposed name, typing a path, Open/Save or Cancel).
#include <string>
#include <vector>

namespace tarvolin::tdriver {

// Usage lines for "tdriver help".
extern const char kDialogUsage[];

// Runs "dialog ..." or "filedialog ..." (args[0] is the command); -1 when args[0] is neither.
int RunDialogCommand(const std::vector<std::string>& args, const std::wstring& exe);

}  // namespace tarvolin::tdriver
