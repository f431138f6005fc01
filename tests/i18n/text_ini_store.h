#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"
#include "platform/ini_store.h"

namespace tarvolin::testing {

// A language file held in memory, read with the real INI rules; it remembers each read's
// section and fallback so tests can see what the loader asked for.
class TextIniStore final : public IniStore {
 public:
  explicit TextIniStore(std::u16string_view text) : document_(IniDocument::Parse(text)) {}

  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback) const override {
    reads_.push_back({std::u16string(section), std::u16string(key), std::u16string(fallback)});
    return document_.Find(section, key).value_or(std::u16string(fallback));
  }
  bool Write(std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override {
    return document_.Set(section, key, value);
  }

  struct ReadCall {
    std::u16string section;
    std::u16string key;
    std::u16string fallback;
  };
  const std::vector<ReadCall>& Reads() const { return reads_; }
  void ClearReads() { reads_.clear(); }

 private:
  IniDocument document_;
  mutable std::vector<ReadCall> reads_;
};

inline std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace tarvolin::testing
