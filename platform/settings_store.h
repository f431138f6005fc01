#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarvolin {

// Per-user application settings (the registry on Windows), by section and value name.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<int> ReadInt(std::u16string_view section,
                                     std::u16string_view name) const = 0;
  virtual bool WriteInt(std::u16string_view section, std::u16string_view name, int value) = 0;
  virtual std::optional<std::u16string> ReadString(std::u16string_view section,
                                                   std::u16string_view name) const = 0;
  virtual bool WriteString(std::u16string_view section, std::u16string_view name,
                           std::u16string_view value) = 0;
};

}  // namespace tarvolin
