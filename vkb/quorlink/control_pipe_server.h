#pragma once
#include <string>

#include "vkb/virtual_hid_library.h"

namespace tarvolin::vkb {

// The control pipe's name: $TARVOLIN_VKB_PIPE, else \\.\pipe\tarvolin-vkb.
std::wstring ControlPipeName();

// Serves control commands (one line in, one answer out, per connection) on a thread of its
// own for the life of the process.
void StartControlPipeServer(VirtualHidLibrary& library);

}  // namespace tarvolin::vkb
