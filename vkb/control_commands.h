#pragma once
#include <string>
#include <string_view>

#include "vkb/keyboard_device.h"

namespace tarvolin::vkb {

// The control language of the virtual keyboard, one command per line, as vkbctl sends it.
// Returns the answer text; an answer starting with "error:" means the command was refused.
//   plug | unplug | bank | lighting | macro-start | macro-stop | event CODE
//   effects N[,N...] | macro-space UNITS | product-id ID | active-profile N
//   fault drop|busy|refuse|wrong|stray N | latency MS | faults-clear
//   dump | traffic PATH | traffic-off | reset | status
// ("shutdown" is the keyboard host's own.)
std::string RunControlCommand(KeyboardDevice& keyboard, std::string_view line);

// True for the commands that change the keyboard's memory (effects, macro-space,
// active-profile, reset): the flash is to be saved after them.
bool ChangesMemory(std::string_view line);

std::string ControlUsage();

}  // namespace tarvolin::vkb
