#pragma once
#include <array>
#include <cstdint>

#include "model/key_code.h"

// The eight modifier keys and their bits in a HID modifier byte.

namespace tarvolin::model {

struct ModifierBit {
  std::uint8_t bit;
  std::uint16_t code;
};

inline constexpr std::array<ModifierBit, 8> kModifierBits = {{
    {0x01, key::kCtrl},
    {0x02, key::kShift},
    {0x04, key::kAlt},
    {0x08, key::kWin},
    {0x10, key::kRightCtrl},
    {0x20, key::kRightShift},
    {0x40, key::kRightAlt},
    {0x80, key::kRightWin},
}};

// The modifier's bit; 0 for any other code.
constexpr std::uint8_t ModifierBitOfCode(std::uint16_t code) {
  for (const ModifierBit& m : kModifierBits) {
    if (m.code == code) return m.bit;
  }
  return 0;
}

constexpr bool IsModifierCode(std::uint16_t code) {
  return ModifierBitOfCode(code) != 0;
}

// The code of the lowest set bit; 0 when no bit is set.
constexpr std::uint16_t CodeOfModifierBit(std::uint8_t bits) {
  for (const ModifierBit& m : kModifierBits) {
    if ((bits & m.bit) != 0) return m.code;
  }
  return kNoKey;
}

}  // namespace tarvolin::model
