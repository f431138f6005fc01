#pragma once
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file_codec.h"
#include "platform/ini_store.h"

namespace tarvolin {

// True when a profile file can hold the entry so that reading it back gives the same texts:
// names not empty, no line breaks or NULs anywhere, no '=' in or blanks around a key, no ']'
// in a section, and a key that does not start with '['.
bool IsStorableIniEntry(std::u16string_view section, std::u16string_view key,
                        std::u16string_view value);

// The value as it is written: quoted when blanks at its ends, or quotes around it, would
// otherwise be lost on reading.
std::u16string QuoteIniValue(std::u16string_view value);

// The text of an INI file with the lookup rules of the Windows profile functions: section and
// key names compare without regard to case, only the first section of a name counts and in it
// the first key, names and values lose their surrounding blanks, and a value enclosed in a
// matching pair of quotes loses the quotes. Lines it does not understand are kept as they are.
class IniDocument {
 public:
  static IniDocument Parse(std::u16string_view text);

  // The value, or an empty optional when the section or key is missing or the key line has
  // no '='.
  std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;

  // Replaces the first matching key's value, or adds the key at the end of the section, or adds
  // the section at the end. False (and nothing changed) for names or values a profile file
  // cannot hold: empty names, line breaks, '=' in a key, ']' in a section, blanks around a key.
  bool Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  std::u16string Serialize() const;

 private:
  struct Line {
    std::u16string text;
    std::u16string terminator;  // "\r\n", "\n", "\r" or empty for an unterminated last line
  };
  std::optional<std::size_t> FindSection(std::u16string_view section) const;
  std::optional<std::size_t> FindKey(std::size_t section_line, std::u16string_view key) const;
  std::u16string NewLineTerminator() const;

  std::vector<Line> lines_;
};

// A profile file on disk. Reads see changes made to the file by others (it is parsed again
// when its size or time changes); a write goes to a temporary file that then replaces the
// original, so a failed write leaves the old file whole. A new file is UTF-16LE with a BOM.
class IniFile final : public IniStore {
 public:
  explicit IniFile(std::filesystem::path path);

  std::u16string Read(std::u16string_view section, std::u16string_view key,
                      std::u16string_view fallback) const override;
  bool Write(std::u16string_view section, std::u16string_view key,
             std::u16string_view value) override;

  const std::filesystem::path& Path() const { return path_; }

 private:
  struct Stamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool operator==(const Stamp&) const = default;
  };
  Stamp CurrentStamp() const;
  void RefreshLocked() const;

  std::filesystem::path path_;
  mutable std::mutex mutex_;
  mutable std::optional<Stamp> loaded_stamp_;
  mutable IniDocument document_;
  mutable IniEncoding encoding_ = IniEncoding::kUtf16LeBom;
  mutable bool unreadable_ = false;  // exists but could not be read: never rewritten
};

}  // namespace tarvolin
