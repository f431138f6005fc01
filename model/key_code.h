#pragma once
#include <cstdint>

// Key codes (scan-code set 1 make code, +0x100 for E0-prefixed keys, 0x200 and above for
// keyboard-internal keys) and the slots they occupy in one profile's assignment array.

namespace tarvolin::model {

inline constexpr std::uint16_t kNoKey = 0;
inline constexpr std::uint16_t kFirstInternalCode = 0x200;
inline constexpr std::uint16_t kSlotsPerProfile = 512;

// The key codes other code names directly.
namespace key {
inline constexpr std::uint16_t kPause = 0x045;
inline constexpr std::uint16_t kBreak = 0x146;
inline constexpr std::uint16_t kNumLock = 0x145;
inline constexpr std::uint16_t kPrintScreen = 0x137;
inline constexpr std::uint16_t kSysReq = 0x054;
inline constexpr std::uint16_t kKeyKL = 0x071;
inline constexpr std::uint16_t kKeyKR = 0x072;
inline constexpr std::uint16_t kCtrl = 0x01D;
inline constexpr std::uint16_t kShift = 0x02A;
inline constexpr std::uint16_t kAlt = 0x038;
inline constexpr std::uint16_t kWin = 0x15B;
inline constexpr std::uint16_t kRightCtrl = 0x11D;
inline constexpr std::uint16_t kRightShift = 0x036;
inline constexpr std::uint16_t kRightShiftExtended = 0x136;
inline constexpr std::uint16_t kRightAlt = 0x138;
inline constexpr std::uint16_t kRightWin = 0x15C;
inline constexpr std::uint16_t kApp = 0x15D;
inline constexpr std::uint16_t kFirstGKey = 0x200;  // G1; G18 is 0x211
}  // namespace key

// Below 0x100 the code itself; 0x100..0x1FF fold onto 0x80..0xFF (wrapping past 0x17F);
// internal keys sit from slot 0x100 up.
constexpr std::uint16_t SlotOfCode(std::uint16_t code) {
  if (code < 0x100) return code;
  if (code < 0x200) return static_cast<std::uint16_t>((code - 0x80) & 0xFF);
  return static_cast<std::uint16_t>(code - 0x100);
}

// The inverse for the name table's slots: below 0x80 the slot itself, 0x80..0xFF the
// E0-prefixed codes, and from 0x100 the internal keys.
constexpr std::uint16_t CodeOfSlot(std::uint16_t slot) {
  if (slot < 0x80) return slot;
  if (slot < 0x100) return static_cast<std::uint16_t>(slot + 0x80);
  return static_cast<std::uint16_t>(slot + 0x100);
}

}  // namespace tarvolin::model
