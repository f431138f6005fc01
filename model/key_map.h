#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "model/config_state.h"
#include "model/key_assignment.h"

// The keyboard's own 3-byte key functions and the conversions between them and the
// records: encoding a profile into a key-map block and importing a block read back.

namespace tarvolin::model {

// [kind, a, b]: 0 disabled, 2 keyboard key ([2, 1, modifier bits] or [2, 2, usage]),
// 3 consumer usage, 4 system usage, 5 macro control, 6 internal key.
struct KeyMapEntry {
  std::uint8_t kind = 0;
  std::uint8_t a = 0;
  std::uint8_t b = 0;
  friend bool operator==(const KeyMapEntry&, const KeyMapEntry&) = default;
};

namespace entry_kind {
inline constexpr std::uint8_t kNone = 0;
inline constexpr std::uint8_t kKeyboard = 2;
inline constexpr std::uint8_t kConsumer = 3;
inline constexpr std::uint8_t kSystem = 4;
inline constexpr std::uint8_t kMacroControl = 5;
inline constexpr std::uint8_t kInternal = 6;
}  // namespace entry_kind

inline constexpr std::uint8_t kKeyboardModifiers = 1;     // [2, 1, bits]
inline constexpr std::uint8_t kKeyboardUsage = 2;         // [2, 2, usage]
inline constexpr std::uint8_t kMacroPlay = 1;             // [5, 1, position]
inline constexpr std::uint8_t kMacroStop = 2;             // [5, 2, 0]
inline constexpr std::uint8_t kMacroFunction = 5;         // [5, 5, function index]
inline constexpr std::uint8_t kInternalKeyMarker = 0xA2;  // [6, 0xA2, n]: code 0x1FF + n

KeyMapEntry EntryAt(const KeyMapBlock& block, std::size_t position);
void SetEntryAt(KeyMapBlock& block, std::size_t position, const KeyMapEntry& entry);

// The key code an entry stands for; 0 when it is no key (disabled, macro control, ...).
std::uint16_t DecodeKeyMapEntry(const KeyMapEntry& entry);

// The entry a record asks for at a position whose default entry is `default_entry`;
// `macros` resolves macro ids to positions.
KeyMapEntry EncodeAssignment(const KeyAssignment& record, const KeyMapEntry& default_entry,
                             std::span<const MacroRecord> macros);

// One position of profile `profile`: the record of the key that sits there by default.
KeyMapEntry EncodeKeyMapEntry(const ProfileSet& profiles, std::span<const MacroRecord> macros,
                              int profile, const KeyMapEntry& default_entry);

// The block sent for one profile: the 126 encoded positions, the tail as in the default.
KeyMapBlock BuildKeyMapBlock(const ProfileSet& profiles, std::span<const MacroRecord> macros,
                             int profile, const KeyMapBlock& default_map);

// Fills one profile's records from a block read from the keyboard, against the default
// layout. Macro ids come back as macro positions + 1.
void ImportKeyMapBlock(ProfileRecords records, const KeyMapBlock& block,
                       const KeyMapBlock& default_map);

// All 512 records zero, then the G slot tags.
void ResetProfileAssignments(ProfileRecords records);
// All four profiles zero; the G slot tags go into profile 0 only.
void ResetAllAssignments(ProfileSet& profiles);

}  // namespace tarvolin::model
