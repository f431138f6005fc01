#pragma once
#include <string>
#include <string_view>

#include "vkb/virtual_hid_library.h"

namespace tarvolin::vkb {

// The control language of the virtual keyboard, one command per line, as vkbctl sends it.
// Returns the answer text; an answer starting with "error:" means the command was refused.
//   plug | unplug | bank | lighting | macro-start | macro-stop | event CODE
//   effects N[,N...] | macro-space UNITS | product-id ID | active-profile N
//   fault drop|busy|refuse|wrong N | latency MS | faults-clear
//   dump | traffic PATH | traffic-off | reset | status
std::string RunControlCommand(VirtualHidLibrary& library, std::string_view line);

// Commands that only touch memory, so they can run against the state file with no program.
bool IsOfflineCommand(std::string_view line);

std::string ControlUsage();

}  // namespace tarvolin::vkb
