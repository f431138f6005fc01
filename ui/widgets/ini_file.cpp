#include "ui/widgets/ini_file.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace tarvolin::widgets {

std::optional<std::u16string> CIniFile::Read(std::u16string_view section,
                                             std::u16string_view key) const {
  std::vector<wchar_t> buffer(kValueChars, L'\0');
  const std::wstring wideSection = win32::ToWide(section);
  const std::wstring wideKey = win32::ToWide(key);
  const std::wstring& widePath = file_.Path();
  const DWORD length =
      GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), L"", buffer.data(),
                               static_cast<DWORD>(buffer.size()), widePath.c_str());
  if (length == 0) return std::nullopt;
  return win32::FromWide(std::wstring_view(buffer.data(), length));
}

}  // namespace tarvolin::widgets
