#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/key_assignment.h"
#include "model/macro_record.h"

// The two in-memory configurations. The dialogs edit the EditedConfig; each download works
// from a fresh copy in the AppliedConfig. Each has its own recursive lock, and whoever needs
// both takes the EditedConfig's first.

namespace tarvolin::model {

// The ids of a configuration's macros in the order the keyboard holds their macros, so a key
// stored as [5, 1, p] plays the macro with id order[p]. Empty while unknown.
using MacroOrder = std::optional<std::vector<std::uint16_t>>;

// A launch-program or text-block text of one record, with its byte size in a file
// (terminator included); size 0 means no text.
struct StringEntry {
  std::u16string text;
  std::uint32_t bytes = 0;
};

class EditedConfig {
 public:
  EditedConfig();
  EditedConfig(const EditedConfig&) = delete;
  EditedConfig& operator=(const EditedConfig&) = delete;

  // Guards every member; recursive because callers hold it around routines that take it.
  std::recursive_mutex& mutex() const { return mutex_; }

  std::unique_ptr<ProfileSet> profiles;  // absent until a set is installed
  std::vector<MacroRecord> macros;       // the macro library, at most kMaxMacros
  // How the keyboard's macro positions map to this library's ids: set when the library was
  // read from the keyboard and after each download, forgotten when the library is replaced.
  MacroOrder keyboard_macro_order;

  std::uint16_t MacroCount() const { return static_cast<std::uint16_t>(macros.size()); }

  // The string table: one entry per record, index = profile * 512 + slot.
  const StringEntry& String(std::size_t index) const { return strings_[index]; }
  // Replaces the text of a record and keeps the byte total. The text ends at its first NUL,
  // as it will when read back from a file; an empty text still takes its terminator.
  void SetString(std::size_t index, std::u16string_view text);
  void ClearString(std::size_t index);
  void ClearStrings();
  std::uint32_t StringBytes() const { return string_bytes_; }

  // Back to the state before any load: no set, no macros, no strings.
  void Release();

 private:
  mutable std::recursive_mutex mutex_;
  std::vector<StringEntry> strings_;
  std::uint32_t string_bytes_ = 0;
};

class AppliedConfig {
 public:
  AppliedConfig() = default;
  AppliedConfig(const AppliedConfig&) = delete;
  AppliedConfig& operator=(const AppliedConfig&) = delete;

  std::recursive_mutex& mutex() const { return mutex_; }

  std::unique_ptr<ProfileSet> profiles;
  std::vector<MacroRecord> macros;
  // The texts of all records of type 3 or 6, in record order, each with its terminator.
  std::vector<std::uint8_t> string_area;
  // The edited configuration's order at Apply; the download replaces it once the keyboard
  // took the new macro image. Clear() keeps it: it describes the keyboard, not the snapshot.
  MacroOrder keyboard_macro_order;

  void Clear() {
    profiles.reset();
    macros.clear();
    string_area.clear();
  }

 private:
  mutable std::recursive_mutex mutex_;
};

// The keyboard's default layout (126 entries of 3 bytes and a tail the keyboard owns), read
// on every attach. The attach thread replaces it while the UI thread reads it, so it is
// handed out by copy. Until one has been read from the keyboard it is all zeros, which the
// keyboard would take as "every key disabled": nothing may be built against it then.
inline constexpr std::size_t kKeyMapBlockSize = 512;
inline constexpr std::size_t kKeyMapPositions = 126;
using KeyMapBlock = std::array<std::uint8_t, kKeyMapBlockSize>;

class DefaultKeyMap {
 public:
  KeyMapBlock Get() const {
    std::lock_guard lock(mutex_);
    return block_;
  }
  void Set(const KeyMapBlock& block) {
    std::lock_guard lock(mutex_);
    block_ = block;
    read_ = true;
  }
  // True once a layout has been read from the keyboard; a failed read later keeps it.
  bool IsRead() const {
    std::lock_guard lock(mutex_);
    return read_;
  }

 private:
  mutable std::mutex mutex_;
  KeyMapBlock block_{};
  bool read_ = false;
};

// The process-wide instances.
EditedConfig& TheEditedConfig();
AppliedConfig& TheAppliedConfig();
DefaultKeyMap& TheDefaultKeyMap();

}  // namespace tarvolin::model
