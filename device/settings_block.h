#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvolin::device {

// The 48-byte block of commands 3 and 4. Bytes the program does not interpret are
// passed back unchanged, so the block is kept whole.
struct SettingsBlock {
  static constexpr std::size_t kSize = 48;
  static constexpr std::size_t kOffsetActiveProfile = 10;
  static constexpr std::size_t kOffsetMacroSpace = 11;  // in 128-byte units
  static constexpr std::size_t kOffsetEffectList = 16;
  static constexpr std::size_t kEffectListSize = 32;
  static constexpr std::uint8_t kPerKeyColourEffect = 254;

  std::array<std::uint8_t, kSize> bytes{};

  int ActiveProfile() const { return bytes[kOffsetActiveProfile]; }
  void SetActiveProfile(int profile) {
    bytes[kOffsetActiveProfile] = static_cast<std::uint8_t>(profile);
  }
  std::uint32_t MacroSpaceBytes() const { return bytes[kOffsetMacroSpace] * 128u; }
  std::span<const std::uint8_t, kEffectListSize> EffectList() const {
    return std::span<const std::uint8_t, kEffectListSize>(bytes.data() + kOffsetEffectList,
                                                          kEffectListSize);
  }
};
static_assert(sizeof(SettingsBlock) == SettingsBlock::kSize);

}  // namespace tarvolin::device
