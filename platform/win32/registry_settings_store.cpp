#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include <cstring>
#include <variant>
#include <vector>

#include "platform/memory_settings.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarvolin::win32 {
namespace {

// Larger values are not settings of this program.
constexpr DWORD kLargestValueBytes = 64 * 1024;

// A section is one key level: an empty name or a backslash would land the values elsewhere.
bool ValidSection(std::u16string_view section) {
  return !section.empty() && section.find(u'\\') == std::u16string_view::npos &&
         section.find(u'\0') == std::u16string_view::npos;
}

bool ValidName(std::u16string_view name) {
  return name.find(u'\0') == std::u16string_view::npos;
}

using StoredValue = std::variant<std::u16string, DWORD>;

std::optional<StoredValue> QueryValue(HKEY key, const std::wstring& name) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (bytes > kLargestValueBytes) return std::nullopt;
  std::vector<BYTE> data(bytes + sizeof(wchar_t), 0);  // room for a missing terminator
  DWORD size = bytes;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    DWORD number = 0;
    memcpy(&number, data.data(), sizeof number);
    return number;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::u16string text(size / sizeof(char16_t), u'\0');
  memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
  // The stored terminator (or several) is not part of the text.
  text.resize(std::u16string_view(text).find_last_not_of(u'\0') + 1);
  return text;
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::u16string_view program_name,
                                             std::u16string_view settings_key)
    : program_key_path_(L"Software\\" + ToWide(settings_key) + L"\\" + ToWide(program_name)) {}

std::wstring RegistrySettingsStore::SectionKeyPath(std::u16string_view section) const {
  return program_key_path_ + L"\\" + ToWide(section);
}

std::optional<std::u16string> RegistrySettingsStore::ReadString(std::u16string_view section,
                                                                std::u16string_view name) const {
  if (!ValidSection(section) || !ValidName(name)) return std::nullopt;
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKeyPath(section).c_str(), 0, KEY_QUERY_VALUE,
                    key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::optional<StoredValue> value = QueryValue(key.get(), ToWide(name));
  if (!value) return std::nullopt;
  if (const DWORD* number = std::get_if<DWORD>(&*value)) {
    return FormatSettingInt(static_cast<int>(*number));
  }
  return std::get<std::u16string>(*value);
}

std::optional<int> RegistrySettingsStore::ReadInt(std::u16string_view section,
                                                  std::u16string_view name) const {
  const std::optional<std::u16string> text = ReadString(section, name);
  if (!text) return std::nullopt;
  return ParseSettingInt(*text);
}

bool RegistrySettingsStore::WriteString(std::u16string_view section, std::u16string_view name,
                                        std::u16string_view value) {
  if (!ValidSection(section) || !ValidName(name)) return false;
  const std::size_t bytes = (value.size() + 1) * sizeof(char16_t);
  if (bytes > kLargestValueBytes) return false;
  UniqueRegKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKeyPath(section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring wide_value = ToWide(value);
  return RegSetValueExW(key.get(), ToWide(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(wide_value.c_str()),
                        static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

bool RegistrySettingsStore::WriteInt(std::u16string_view section, std::u16string_view name,
                                     int value) {
  return WriteString(section, name, FormatSettingInt(value));
}

}  // namespace tarvolin::win32
