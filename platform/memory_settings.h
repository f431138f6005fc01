#pragma once
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/settings_store.h"

namespace tarvolin {

// Settings values are kept as text, numbers in decimal ("%d"), as the registry-backed store
// keeps them. A text reads as a number only when it is one whole decimal int, blanks around it
// allowed; anything else reads as missing so the caller's default applies.
std::optional<int> ParseSettingInt(std::u16string_view text);
std::u16string FormatSettingInt(int value);

// Settings kept in memory, for tests and the command-line tools. Section and value names
// compare without regard to case, like registry names.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::optional<int> ReadInt(std::u16string_view section, std::u16string_view name) const override;
  bool WriteInt(std::u16string_view section, std::u16string_view name, int value) override;
  std::optional<std::u16string> ReadString(std::u16string_view section,
                                           std::u16string_view name) const override;
  bool WriteString(std::u16string_view section, std::u16string_view name,
                   std::u16string_view value) override;

  std::size_t Size() const;

 private:
  using Key = std::pair<std::u16string, std::u16string>;  // folded section and name
  static Key MakeKey(std::u16string_view section, std::u16string_view name);

  mutable std::mutex mutex_;
  std::map<Key, std::u16string> values_;
};

}  // namespace tarvolin
