#pragma once
// The skin INI helper of a skinned dialog: one file path, read and write one value.
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/win32_ini_store.h"

namespace tarvolin::widgets {

class CIniFile {
 public:
  // Values longer than this are cut.
  static constexpr std::size_t kValueChars = 2048;

  void SetPath(std::u16string path) {
    path_ = std::move(path);
    file_ = win32::Win32IniStore(path_);
  }
  const std::u16string& path() const { return path_; }
  const IniStore& store() const { return file_; }

  // The value, or nothing when it is empty or missing.
  std::optional<std::u16string> Read(std::u16string_view section, std::u16string_view key) const;
  bool Write(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    return file_.Write(section, key, value);
  }

 private:
  std::u16string path_;
  win32::Win32IniStore file_{u""};
};

}  // namespace tarvolin::widgets
