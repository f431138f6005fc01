#include "ui/skin/ini_section_keys.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace tarvolin::skin {

std::vector<std::u16string> ListSectionKeys(const std::u16string& path,
                                            std::u16string_view section) {
  const std::wstring wideSection = win32::ToWide(section);
  const std::wstring widePath = win32::ToWide(path);
  std::vector<wchar_t> buffer(4096);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), nullptr, L"", buffer.data(),
                                                  size, widePath.c_str());
    // A full buffer reports size - 2: grow until the list fits.
    if (length + 2 < size || buffer.size() >= (1u << 22)) {
      std::vector<std::u16string> keys;
      const wchar_t* cursor = buffer.data();
      while (cursor < buffer.data() + length && *cursor != L'\0') {
        const std::wstring_view key(cursor);
        keys.push_back(win32::FromWide(key));
        cursor += key.size() + 1;
      }
      return keys;
    }
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

}  // namespace tarvolin::skin
