#pragma once
#include <optional>
#include <string>

#include "vkb/firmware.h"

namespace tarvolin::vkb {

// The virtual keyboard's flash, kept in a file between runs.
// Format: "TVKB" magic, u32 version, then the areas in a fixed order.
bool SaveStateFile(const std::string& path, const FirmwareMemory& memory);
// Nothing when the file is missing, short, or not a state file: the caller keeps factory state.
std::optional<FirmwareMemory> LoadStateFile(const std::string& path);

// The memory as JSON: decoded settings and every area in hex.
std::string MemoryToJson(const FirmwareMemory& memory);

}  // namespace tarvolin::vkb
