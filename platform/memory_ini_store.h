#pragma once
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ini_store.h"

namespace tarvolin {

// An INI file that lives in memory only: for tests, and for command-line runs that must not
// touch the user's files. Sections and keys match exactly. Writes can be made to fail.
class MemoryIniStore final : public IniStore {
 public:
  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback) const override {
    const auto it = values_.find({std::u16string(section), std::u16string(key)});
    return it == values_.end() ? std::u16string(fallback) : it->second;
  }
  bool Write(std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override {
    if (read_only_) return false;
    values_[{std::u16string(section), std::u16string(key)}] = std::u16string(value);
    return true;
  }

  void Set(std::u16string section, std::u16string key, std::u16string value) {
    values_[{std::move(section), std::move(key)}] = std::move(value);
  }
  bool Has(const std::u16string& section, const std::u16string& key) const {
    return values_.count({section, key}) != 0;
  }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }

 private:
  std::map<std::pair<std::u16string, std::u16string>, std::u16string> values_;
  bool read_only_ = false;
};

}  // namespace tarvolin
