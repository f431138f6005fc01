#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "lighting/lighting_record.h"

namespace tarvolin::lighting {

inline constexpr int kUserModeCount = 10;
inline constexpr std::size_t kMaskSize = 18;  // 144 key positions, one bit each
inline constexpr int kKeyPositionCount = static_cast<int>(kMaskSize * 8);
inline constexpr std::size_t kMaskPageSize = kUserModeCount * kMaskSize;     // 180 per profile
inline constexpr std::size_t kMaskAreaSize = kProfileCount * kMaskPageSize;  // 540

using MaskPage = std::array<std::uint8_t, kMaskPageSize>;

// Byte of a profile's page that holds a key position's bit in a user mode's mask; none when
// the mode or position lies outside the page.
std::optional<std::size_t> MaskByteIndex(int user_mode, int position);
constexpr std::uint8_t MaskBit(int position) {
  return static_cast<std::uint8_t>(1u << (position & 7));
}

// The keyboard's key masks of the three profiles: which keys each user mode lights.
class KeyMasks {
 public:
  MaskPage& page(int profile) { return pages_.at(static_cast<std::size_t>(profile)); }
  const MaskPage& page(int profile) const { return pages_.at(static_cast<std::size_t>(profile)); }

  // False for a mode or position outside the page.
  bool IsLit(int profile, int user_mode, int position) const;

 private:
  std::array<MaskPage, kProfileCount> pages_{};
};

}  // namespace tarvolin::lighting
