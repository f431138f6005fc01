#pragma once
#include <string>
#include <string_view>

namespace tarvolin {

// Private-profile INI access (skin files, language file, per-user INI files).
// Reads return `fallback` when the section or key is missing.
class IniStore {
 public:
  virtual ~IniStore() = default;
  virtual std::u16string Read(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) const = 0;
  // Returns false when the value could not be stored.
  virtual bool Write(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) = 0;
};

}  // namespace tarvolin
