#include "vkb/persistent_state.h"

#include <cstdlib>

#include "device/device_report.h"
#include "vkb/state_file.h"

namespace tarvolin::vkb {
namespace {

std::string Shown(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

}  // namespace

std::string StateFilePath(const std::string& fallback_folder) {
  if (const char* path = std::getenv("TARVOLIN_VKB_STATE"); path != nullptr && *path != '\0') {
    return path;
  }
  return fallback_folder + "vkb-state.bin";
}

std::string UseStateFile(KeyboardDevice& keyboard, const std::filesystem::path& path) {
  std::string notice;
  StateFileLoad load = LoadStateFile(path);
  if (load.status == StateFileStatus::kLoaded) {
    keyboard.firmware().Restore(*load.memory);
  } else if (load.status == StateFileStatus::kUnreadable) {
    // Saving over a file that could not be read might destroy a good one.
    keyboard.SetAfterRequestHook(nullptr);
    return "virtual keyboard: the state file " + Shown(path) +
           " cannot be read; the keyboard starts from factory memory and saves nothing";
  } else if (load.status == StateFileStatus::kDamaged) {
    const std::filesystem::path aside = SetDamagedStateFileAside(path);
    notice = "virtual keyboard: the state file " + Shown(path) + " is damaged; " +
             (aside.empty() ? std::string("it could not be set aside and stays as it is")
                            : "it was kept as " + Shown(aside)) +
             ", and the keyboard starts from factory memory";
    if (aside.empty()) {
      // Saving over it would destroy what is left; this run keeps its memory to itself.
      keyboard.SetAfterRequestHook(nullptr);
      return notice;
    }
  }
  keyboard.SetAfterRequestHook([&keyboard, path](std::uint8_t command) {
    switch (static_cast<device::Command>(command)) {
      case device::Command::kEnd:
      case device::Command::kWriteSettings:
      case device::Command::kWriteLighting:
      case device::Command::kWriteKeyMap:
      case device::Command::kWriteMacros:
      case device::Command::kWriteKeyColours:
        SaveStateFile(path, keyboard.firmware().Snapshot());
        break;
      default:
        break;
    }
  });
  return notice;
}

bool SaveState(KeyboardDevice& keyboard, const std::filesystem::path& path) {
  return SaveStateFile(path, keyboard.firmware().Snapshot());
}

}  // namespace tarvolin::vkb
