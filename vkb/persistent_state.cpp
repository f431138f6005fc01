#include "vkb/persistent_state.h"

#include <cstdlib>

#include "device/device_report.h"
#include "vkb/state_file.h"

namespace tarvolin::vkb {

std::string StateFilePath(const std::string& fallback_folder) {
  if (const char* path = std::getenv("TARVOLIN_VKB_STATE"); path != nullptr && *path != '\0') {
    return path;
  }
  return fallback_folder + "vkb-state.bin";
}

void UseStateFile(VirtualHidLibrary& library, const std::string& path) {
  if (auto memory = LoadStateFile(path)) library.firmware().Restore(*memory);
  library.SetAfterRequestHook([&library, path](std::uint8_t command) {
    switch (static_cast<device::Command>(command)) {
      case device::Command::kEnd:
      case device::Command::kWriteSettings:
      case device::Command::kWriteLighting:
      case device::Command::kWriteKeyMap:
      case device::Command::kWriteMacros:
      case device::Command::kWriteKeyColours:
        SaveStateFile(path, library.firmware().Snapshot());
        break;
      default:
        break;
    }
  });
}

bool SaveState(VirtualHidLibrary& library, const std::string& path) {
  return SaveStateFile(path, library.firmware().Snapshot());
}

}  // namespace tarvolin::vkb
