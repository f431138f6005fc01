#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "vkb/firmware.h"

namespace tarvolin::vkb {

// The virtual keyboard's flash, kept in a file between runs.
// Format: "TVKB" magic, u32 version, then the areas in a fixed order.
// Saving replaces the file atomically: a reader always finds the old or the new state whole.
bool SaveStateFile(const std::filesystem::path& path, const FirmwareMemory& memory);

enum class StateFileStatus {
  kMissing,     // there is no state yet: the keyboard starts from factory memory
  kUnreadable,  // it exists but cannot be opened or read
  kDamaged,     // cut short, too long, or not a state file
  kLoaded,
};
struct StateFileLoad {
  StateFileStatus status = StateFileStatus::kMissing;
  std::optional<FirmwareMemory> memory;  // when loaded
};
StateFileLoad LoadStateFile(const std::filesystem::path& path);

// Renames a damaged state file to "<path>.damaged" (or ".damaged-N" when that is taken), so
// the next save cannot overwrite what is left of it. The new name, or empty when it failed.
std::filesystem::path SetDamagedStateFileAside(const std::filesystem::path& path);

// The memory as JSON: decoded settings and every area in hex.
std::string MemoryToJson(const FirmwareMemory& memory);

}  // namespace tarvolin::vkb
