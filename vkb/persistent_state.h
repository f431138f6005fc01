#pragma once
#include <filesystem>
#include <string>

#include "vkb/keyboard_device.h"

namespace tarvolin::vkb {

// Where the virtual keyboard keeps its flash: $TARVOLIN_VKB_STATE, else `fallback_folder` +
// "vkb-state.bin".
std::string StateFilePath(const std::string& fallback_folder);

// Loads the state file into the keyboard and saves it again after every write request and
// every End, as flash keeps it: a program that is killed loses nothing it has sent. With no
// file the keyboard keeps factory memory; a damaged file is set aside (never overwritten) and
// the keyboard starts from factory memory. Returns the message for the user in that case,
// else "".
std::string UseStateFile(KeyboardDevice& keyboard, const std::filesystem::path& path);

// Saves now; false when the file could not be written.
bool SaveState(KeyboardDevice& keyboard, const std::filesystem::path& path);

}  // namespace tarvolin::vkb
