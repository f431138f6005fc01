#include "ui/skin/program_folder.h"

#include <windows.h>

#include <vector>

namespace tarvolin::skin {

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return L".\\";
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      const auto slash = path.find_last_of(L"\\/");
      return slash == std::wstring::npos ? L".\\" : path.substr(0, slash + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring DefaultSkinFolder() {
  return ProgramFolder() + L"Skins\\";
}

std::wstring WithTrailingSlash(std::wstring folder) {
  if (folder.empty()) return L".\\";
  if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

}  // namespace tarvolin::skin
