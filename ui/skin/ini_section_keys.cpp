#include "ui/skin/private_profile_ini.h"

#include <windows.h>

#include <vector>

#include "ui/skin/layout_value.h"
#include "ui/skin/wide_text.h"

namespace tarvolin::skin {

std::u16string PrivateProfileIni::Read(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback) const {
  // Skin values are at most 259 characters; longer ones are cut, as the skin format allows.
  std::vector<wchar_t> buffer(kLayoutBufferChars, L'\0');
  const std::wstring wideSection = ToWide(section);
  const std::wstring wideKey = ToWide(key);
  const std::wstring wideFallback = ToWide(fallback);
  const std::wstring widePath = ToWide(path_);
  const DWORD length =
      GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideFallback.c_str(),
                               buffer.data(), static_cast<DWORD>(buffer.size()), widePath.c_str());
  return ToU16(std::wstring_view(buffer.data(), length));
}

bool PrivateProfileIni::Write(std::u16string_view section, std::u16string_view key,
                              std::u16string_view value) {
  const std::wstring wideSection = ToWide(section);
  const std::wstring wideKey = ToWide(key);
  const std::wstring wideValue = ToWide(value);
  const std::wstring widePath = ToWide(path_);
  return WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideValue.c_str(),
                                    widePath.c_str()) != FALSE;
}

std::vector<std::u16string> ListSectionKeys(const std::u16string& path,
                                            std::u16string_view section) {
  const std::wstring wideSection = ToWide(section);
  const std::wstring widePath = ToWide(path);
  std::vector<wchar_t> buffer(4096);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), nullptr, L"", buffer.data(),
                                                  size, widePath.c_str());
    // A full buffer reports size - 2: grow until the list fits.
    if (length + 2 < size || buffer.size() >= (1u << 22)) {
      std::vector<std::u16string> keys;
      const wchar_t* cursor = buffer.data();
      while (*cursor != L'\0' && cursor < buffer.data() + length) {
        std::wstring_view key(cursor);
        keys.push_back(ToU16(key));
        cursor += key.size() + 1;
      }
      return keys;
    }
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

}  // namespace tarvolin::skin
