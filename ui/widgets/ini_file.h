#pragma once
// The skin INI helper of a skinned dialog: one file path, read and write one value.
#include <optional>
#include <string>
#include <string_view>

#include "ui/skin/private_profile_ini.h"

namespace tarvolin::widgets {

class CIniFile {
 public:
  // Values longer than this are cut.
  static constexpr std::size_t kValueChars = 2048;

  void SetPath(std::u16string path) { file_ = skin::PrivateProfileIni(std::move(path)); }
  const std::u16string& path() const { return file_.path(); }
  const IniStore& store() const { return file_; }

  // The value, or nothing when it is empty or missing.
  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) const;
  bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    return file_.Write(section, key, value);
  }

 private:
  skin::PrivateProfileIni file_{u""};
};

}  // namespace tarvolin::widgets
