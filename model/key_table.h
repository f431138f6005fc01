#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/key_code.h"

// The key table: one constant entry per slot 0..255 with the key's position in the key list,
// its name, virtual keys and HID usage, and the lookups over it.

namespace tarvolin::model {

inline constexpr std::size_t kKeyTableSize = 256;
inline constexpr std::uint16_t kNoListId = 0xFFFF;
inline constexpr std::uint16_t kKeyListSize = 0x6A;  // list ids 0x00..0x69
inline constexpr std::size_t kKeyNameCapacity = 260;

struct KeyTableEntry {
  std::uint16_t list_id = kNoListId;
  std::u16string_view name;        // empty for empty slots and for the media keys
  std::string_view name_text_key;  // language key of a media key's name, else empty
  std::uint8_t vk = 0;
  std::uint8_t alt_vk = 0;      // equals vk except on the numeric-pad digits
  std::uint8_t usage_byte = 0;  // compact HID usage, see UsageOfCode
};

const std::array<KeyTableEntry, kKeyTableSize>& KeyTable();

// The entry at the code's slot; the empty entry for codes whose slot lies past the table.
const KeyTableEntry& KeyEntryOfCode(std::uint16_t code);

struct HidUsage {
  std::uint16_t page = 0;
  std::uint16_t usage = 0;
  friend bool operator==(const HidUsage&, const HidUsage&) = default;
};

inline constexpr std::uint16_t kPageGenericDesktop = 1;
inline constexpr std::uint16_t kPageKeyboard = 7;
inline constexpr std::uint16_t kPageConsumer = 12;

// Consumer table: 32 entries, the first 18 filled.
inline constexpr std::size_t kConsumerTableSize = 32;
const std::array<std::uint16_t, kConsumerTableSize>& ConsumerTable();

// The display name: the table name, the language text of a media key, or the UNKNOWN_KEY
// text formatted with the code for codes without a name.
std::u16string KeyName(std::uint16_t code);
// The same into a caller buffer of `capacity` characters, truncated and always terminated.
void KeyName(std::uint16_t code, char16_t* buffer, std::size_t capacity);
// The UNKNOWN_KEY text formatted with `code`; a language text whose placeholders do not take
// one number gives way to the compiled-in text.
std::u16string UnknownKeyName(std::uint32_t code);

// The first entry in slot order with that list id: its name (empty when none) and its code
// (0 when none).
std::u16string KeyListName(std::uint16_t list_id);
std::uint16_t KeyListCode(std::uint16_t list_id);
// The list id of the entry at the code's slot (kNoListId for empty slots).
std::uint16_t KeyListIdOfCode(std::uint16_t code);

HidUsage UsageOfCode(std::uint16_t code);
// The code whose table entry carries the usage; 0 when none. Keyboard-page lookups only
// match Keyboard-page entries.
std::uint16_t CodeOfUsage(HidUsage usage);

// Sys Req, KL, KR and Print Screen, which the macro recorder handles apart.
bool IsReleaseOnlyKey(std::uint16_t code);

// "KEY_%03X" of the slot: a key button's skin key.
std::u16string SkinKeyOfSlot(std::uint16_t slot);

}  // namespace tarvolin::model
