#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "app/app_state.h"
#include "device/device_channel.h"
#include "model/download.h"

// The keyboard's side of the profiles: its configuration saved as a profile file, and its
// active hardware profile.

namespace tarvolin::profiles {

// The profile file the keyboard's key maps and macro image amount to, built in memory:
// header for the macros and no strings, the descriptor, profiles 0..2 imported from the
// key-map blocks against the default layout, profile 3 zero, then the macro records.
// Empty when the keyboard's default layout has not been read yet, a read fails or the macro
// image is damaged.
std::vector<std::uint8_t> ProfileFileFromKeyboard(model::ConfigContext& config);

// Writes that file to `path`. 1 written; 0 when the active profile is undetermined or not
// 0..3, the default layout is unread, a read fails, the macro image is damaged or the file
// cannot be written (an existing file then stays as it was).
int ReadProfileFromKeyboard(model::ConfigContext& config, const std::filesystem::path& path);

// Makes `index` the keyboard's active profile, keeping every other byte of the settings
// block. A negative index or a failed read changes nothing; the cache follows the write:
// the index on success, -1 on failure.
void SetActiveProfile(device::DeviceChannel& channel, AppState& app_state, int index);

}  // namespace tarvolin::profiles
