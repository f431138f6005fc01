#pragma once
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One macro as it lies in memory and in profile files: the records are stored byte for byte,
// so their layout is pinned below. Multi-byte fields are little-endian, as on every target.

namespace tarvolin::model {

static_assert(std::endian::native == std::endian::little,
              "records are stored in files exactly as in memory");

inline constexpr std::uint16_t kPress = 0;
inline constexpr std::uint16_t kRelease = 1;

struct MacroAction {
  std::uint32_t delay_ms = 0;  // pause after this step
  std::uint16_t code = 0;      // key code
  std::uint16_t direction = kPress;
  friend bool operator==(const MacroAction&, const MacroAction&) = default;
};
static_assert(sizeof(MacroAction) == 8);
static_assert(offsetof(MacroAction, delay_ms) == 0);
static_assert(offsetof(MacroAction, code) == 4);
static_assert(offsetof(MacroAction, direction) == 6);

inline constexpr std::size_t kMaxMacros = 100;

struct MacroRecord {
  static constexpr std::size_t kNameCapacity = 250;  // terminator included
  static constexpr std::size_t kMaxNameLength = kNameCapacity - 1;
  static constexpr std::size_t kMaxActions = 2000;

  std::array<char16_t, kNameCapacity> name{};
  std::uint8_t play_count = 0;  // "Cycles", 1..255 from the editor
  std::uint8_t reserved1 = 0;
  std::uint16_t new_mark = 0;
  std::uint16_t play_mode = 0;  // kept as stored, never sent
  std::uint16_t id = 0;         // 1..100
  std::uint16_t action_count = 0;
  std::uint16_t reserved2 = 0;
  std::array<MacroAction, kMaxActions> actions{};

  // The name up to its terminator, never past the field even when a file left it out.
  std::u16string_view Name() const {
    const auto end = std::find(name.begin(), name.begin() + kMaxNameLength, u'\0');
    return std::u16string_view(name.data(), static_cast<std::size_t>(end - name.begin()));
  }
  // Stores at most kMaxNameLength characters and clears the rest of the field.
  void SetName(std::u16string_view text) {
    name.fill(u'\0');
    const std::size_t length = std::min(text.size(), kMaxNameLength);
    std::copy_n(text.data(), length, name.data());
  }
  // The used actions; a count beyond the array (a damaged file) is cut to the array.
  std::span<const MacroAction> UsedActions() const {
    return std::span<const MacroAction>(actions.data(),
                                        std::min<std::size_t>(action_count, kMaxActions));
  }
};
static_assert(sizeof(MacroRecord) == 16512);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, play_count) == 500);
static_assert(offsetof(MacroRecord, reserved1) == 501);
static_assert(offsetof(MacroRecord, new_mark) == 502);
static_assert(offsetof(MacroRecord, play_mode) == 504);
static_assert(offsetof(MacroRecord, id) == 506);
static_assert(offsetof(MacroRecord, action_count) == 508);
static_assert(offsetof(MacroRecord, reserved2) == 510);
static_assert(offsetof(MacroRecord, actions) == 512);

}  // namespace tarvolin::model
