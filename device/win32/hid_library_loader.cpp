#include "device/win32/hid_library_loader.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace tarvolin::device {

bool LoadHidLibrary(HidLibraryApi& api) {
  HMODULE module =
      LoadLibraryExW(L"Quorlink.dll", nullptr,
                     LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module == nullptr) return false;
  return ResolveEntryPoints(api, [module](std::string_view name) -> void* {
    return reinterpret_cast<void*>(GetProcAddress(module, std::string(name).c_str()));
  });
}

void BindHidLibraryOrExit(DeviceChannel& channel) {
  HidLibraryApi api;
  if (!LoadHidLibrary(api) || !channel.Bind(api)) std::exit(0);
}

}  // namespace tarvolin::device
