#include "platform/win32/win32_ini_store.h"

#include <windows.h>

#include <vector>

#include "platform/ini_file.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarvolin::win32 {
namespace {

// Never a real value: a non-character between two control characters.
constexpr wchar_t kMissingMarker[] = L"\x0001\xFDD0\x0002";
constexpr DWORD kLargestValue = 1u << 20;

std::wstring FullPath(std::u16string_view path) {
  const std::wstring wide = ToWide(path);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) return wide;
  full.resize(written);
  return full;
}

bool HasNul(std::u16string_view text) {
  return text.find(u'\0') != std::u16string_view::npos;
}

bool CreateUnicodeFile(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError() == ERROR_FILE_EXISTS;
  const unsigned char bom[] = {0xFF, 0xFE};
  DWORD written = 0;
  return WriteFile(file.get(), bom, sizeof bom, &written, nullptr) && written == sizeof bom;
}

}  // namespace

Win32IniStore::Win32IniStore(std::u16string_view path) : path_(FullPath(path)) {}

std::u16string Win32IniStore::Read(std::u16string_view section, std::u16string_view key,
                                   std::u16string_view fallback) const {
  if (section.empty() || key.empty() || HasNul(section) || HasNul(key)) {
    return std::u16string(fallback);
  }
  const std::wstring wide_section = ToWide(section);
  const std::wstring wide_key = ToWide(key);
  std::vector<wchar_t> buffer(512);
  DWORD length = 0;
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    length = GetPrivateProfileStringW(wide_section.c_str(), wide_key.c_str(), kMissingMarker,
                                      buffer.data(), size, path_.c_str());
    // A full buffer (size - 1 characters) may mean the value was cut: try a larger one.
    if (length + 1 < size || size >= kLargestValue) break;
    buffer.resize(buffer.size() * 2);
  }
  const std::wstring_view value(buffer.data(), length);
  if (value == kMissingMarker) return std::u16string(fallback);
  return FromWide(value);
}

bool Win32IniStore::Write(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
  if (!IsStorableIniEntry(section, key, value)) return false;
  if (GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES && !CreateUnicodeFile(path_)) {
    return false;
  }
  const std::wstring wide_section = ToWide(section);
  const std::wstring wide_key = ToWide(key);
  const std::wstring wide_value = ToWide(QuoteIniValue(value));
  return WritePrivateProfileStringW(wide_section.c_str(), wide_key.c_str(), wide_value.c_str(),
                                    path_.c_str()) != FALSE;
}

}  // namespace tarvolin::win32
