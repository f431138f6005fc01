#pragma once
// The composite key dialog seen from outside (found as the macro pane's dialog): its lists'
// selections, and the actions the end-to-end tests need that a click cannot do (typing into an
// edit, picking a list item, bringing the dialog to the front), plus the system's view of a key.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/tdriver/fields.h"

namespace tarvolin::tdriver {

// Control `id` of the dialog (0: the dialog): the fields of ControlState and, for lists,
// "selection" (the selected index, -1 for none) and "count".
Fields CompositeControlState(const std::vector<DWORD>& processIds, int id);
// Runs "dialog-text ID TEXT", "dialog-select ID INDEX", "dialog-front" or
// "keystate VK"; none when args[0] is not one of them.
std::optional<int> RunCompositeCommand(const std::vector<std::string>& args,
                                       const std::wstring& exe);

}  // namespace tarvolin::tdriver
