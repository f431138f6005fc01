#include "profiles/win32/documents_folder.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

namespace tarvolin::profiles::win32 {

std::optional<std::filesystem::path> DocumentsFolder() {
  wchar_t buffer[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PERSONAL, FALSE) || buffer[0] == L'\0') {
    return std::nullopt;
  }
  return std::filesystem::path(buffer);
}

}  // namespace tarvolin::profiles::win32
