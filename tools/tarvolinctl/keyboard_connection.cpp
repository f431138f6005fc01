#include "tools/tarvolinctl/keyboard_connection.h"

#ifdef _WIN32
#include "device/win32/hid_library_loader.h"
#else
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "vkb/persistent_state.h"
#include "vkb/virtual_hid_library.h"
#endif

namespace tarvolin::ctl {

#ifdef _WIN32

bool ConnectKeyboard(device::DeviceChannel& channel) {
  device::HidLibraryApi api;
  if (!device::LoadHidLibrary(api) || !channel.Bind(api)) return false;
  channel.Subscribe();
  return true;
}

void DisconnectKeyboard() {}

#else

bool ConnectKeyboard(device::DeviceChannel& channel) {
  auto& library = vkb::VirtualHidLibrary::Instance();
  std::string folder;
  if (const char* home = std::getenv("HOME"); home != nullptr) {
    folder = std::string(home) + "/.local/share/tarvolin/";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
  }
  const std::string notice = vkb::UseStateFile(library.keyboard(), vkb::StateFilePath(folder));
  if (!notice.empty()) std::cerr << notice << '\n';
  if (const char* log = std::getenv("TARVOLIN_VKB_TRAFFIC"); log != nullptr && *log != '\0') {
    library.traffic().SetFile(log);
  }
  if (!channel.Bind(vkb::VirtualHidLibrary::Api())) return false;
  channel.Subscribe();
  return true;
}

void DisconnectKeyboard() {
  vkb::VirtualHidLibrary::Instance().Drain();
}

#endif

}  // namespace tarvolin::ctl
