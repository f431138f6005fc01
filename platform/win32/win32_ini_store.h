#pragma once
#include <string>
#include <string_view>

#include "platform/ini_store.h"

namespace tarvolin::win32 {

// A profile file read and written with the Windows private-profile functions, so the program
// sees exactly what Windows reads from the skin, language and per-user files.
class Win32IniStore final : public IniStore {
 public:
  // A relative path is made absolute at once: the profile functions would otherwise look for
  // it in the Windows folder.
  explicit Win32IniStore(std::u16string_view path);

  // Returns `fallback` unchanged when the section or key is missing (Windows itself would drop
  // the trailing blanks of a default).
  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback) const override;

  // Creates a missing file as UTF-16LE with a BOM first, so Windows keeps it Unicode and
  // Chinese texts survive. Entries a profile file cannot hold are refused (false).
  bool Write(std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override;

  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

}  // namespace tarvolin::win32
