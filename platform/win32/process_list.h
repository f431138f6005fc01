#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

namespace tarvolin::win32 {

// Ids of the running processes whose executable file name equals `exe_name` (compared without
// regard to case), in the system's process-list order.
std::vector<DWORD> ProcessIdsOfProgram(std::wstring_view exe_name);

}  // namespace tarvolin::win32
