#include "lighting/key_masks.h"

namespace tarvolin::lighting {

std::optional<std::size_t> MaskByteIndex(int user_mode, int position) {
  if (user_mode < 0 || user_mode >= kUserModeCount) return std::nullopt;
  if (position < 0 || position >= kKeyPositionCount) return std::nullopt;
  return static_cast<std::size_t>(user_mode) * kMaskSize + static_cast<std::size_t>(position >> 3);
}

bool KeyMasks::IsLit(int profile, int user_mode, int position) const {
  const std::optional<std::size_t> index = MaskByteIndex(user_mode, position);
  if (!index) return false;
  return (page(profile)[*index] & MaskBit(position)) != 0;
}

}  // namespace tarvolin::lighting
