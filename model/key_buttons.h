#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The main window's key buttons: the 105 key buttons in the order every loop over them
// follows, and the nine G-keys with their two banks of slots.

namespace tarvolin::model {

struct KeyButton {
  std::uint16_t button_id;
  std::uint16_t code;
  std::uint8_t light;  // the keyboard's LED position
};

inline constexpr std::size_t kKeyButtonCount = 105;
const std::array<KeyButton, kKeyButtonCount>& KeyButtonTable();

struct GKeyButton {
  std::uint16_t button_id;
  std::uint8_t light;
};

inline constexpr int kGKeyCount = 9;
inline constexpr std::uint16_t kFirstGSlot = 256;
inline constexpr std::uint16_t kGSlotCount = 18;  // two banks of nine
const std::array<GKeyButton, kGKeyCount>& GKeyTable();

// Index into KeyButtonTable / GKeyTable of a button id.
std::optional<std::size_t> KeyButtonIndex(std::uint16_t button_id);
std::optional<int> GKeyIndex(std::uint16_t button_id);

// Slot of G-key j (0..8) in bank A (bank bit 0) or B (bank bit 1).
constexpr std::uint16_t SlotOfGKey(int j, int bank_bit) {
  return static_cast<std::uint16_t>(kFirstGSlot + ((bank_bit & 1) != 0 ? kGKeyCount : 0) + j);
}

constexpr bool IsGSlot(std::size_t slot) {
  return slot >= kFirstGSlot && slot < kFirstGSlot + kGSlotCount;
}

// The constant tag a reset writes into G slot 256..273: 0x301.. in bank A, 0x1301.. in B.
constexpr std::uint16_t GSlotTag(std::size_t slot) {
  const std::size_t index = slot - kFirstGSlot;
  return static_cast<std::uint16_t>(index < kGKeyCount ? 0x301 + index
                                                       : 0x1301 + (index - kGKeyCount));
}

// "G%d" of j + 1.
std::u16string GKeyName(int j);
// "FUNC_G%d" of j + 1: a G-key button's skin key.
std::u16string SkinKeyOfGKey(int j);

}  // namespace tarvolin::model
