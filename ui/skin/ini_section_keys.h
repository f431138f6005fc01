#pragma once
// IniStore over the Win32 private-profile functions, for one INI file.
#include <string>
#include <vector>

#include "platform/ini_store.h"

namespace tarvolin::skin {

class PrivateProfileIni final : public IniStore {
 public:
  explicit PrivateProfileIni(std::u16string path) : path_(std::move(path)) {}

  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback) const override;
  bool Write(std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override;

  const std::u16string& path() const { return path_; }

 private:
  std::u16string path_;
};

// The key names of one section, in file order (used by tools that show a whole skin).
std::vector<std::u16string> ListSectionKeys(const std::u16string& path,
                                            std::u16string_view section);

}  // namespace tarvolin::skin
