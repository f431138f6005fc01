#pragma once
#include <string>

#include "vkb/virtual_hid_library.h"

namespace tarvolin::vkb {

// Where the virtual keyboard keeps its flash: $TARVOLIN_VKB_STATE, else `fallback_folder` +
// "vkb-state.bin".
std::string StateFilePath(const std::string& fallback_folder);

// Loads the state file into the keyboard (factory state when there is none or it is
// damaged) and saves it again after every write request and every End, as flash keeps it:
// a program that is killed loses nothing it has sent.
void UseStateFile(VirtualHidLibrary& library, const std::string& path);

// Saves now; false when the file could not be written.
bool SaveState(VirtualHidLibrary& library, const std::string& path);

}  // namespace tarvolin::vkb
