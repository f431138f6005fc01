#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace tarvolin::win32 {

// The settings key the program registers its per-user values under.
inline constexpr std::u16string_view kSettingsKeyName = u"Tarvolin_Pelmora";

// Per-user settings in HKEY_CURRENT_USER\Software\<settings key>\<program name>\<section>.
// Every value is written as a string (numbers in decimal); a number is also read from a
// DWORD value that another tool may have left there.
class RegistrySettingsStore final : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::u16string_view program_name,
                                 std::u16string_view settings_key = kSettingsKeyName);

  std::optional<int> ReadInt(std::u16string_view section, std::u16string_view name) const override;
  bool WriteInt(std::u16string_view section, std::u16string_view name, int value) override;
  std::optional<std::u16string> ReadString(std::u16string_view section,
                                           std::u16string_view name) const override;
  bool WriteString(std::u16string_view section, std::u16string_view name,
                   std::u16string_view value) override;

  // The key path below HKEY_CURRENT_USER that holds a section's values.
  std::wstring SectionKeyPath(std::u16string_view section) const;

 private:
  std::wstring program_key_path_;  // Software\<settings key>\<program name>
};

}  // namespace tarvolin::win32
