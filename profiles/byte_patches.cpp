#include "profiles/byte_patches.h"

#include <algorithm>

namespace tarvolin::profiles {
namespace {

constexpr std::size_t kPatchJoinGap = 8;

}  // namespace

std::vector<BytePatch> FindPatches(std::span<const std::uint8_t> built,
                                   std::span<const std::uint8_t> original) {
  std::vector<BytePatch> patches;
  std::size_t i = 0;
  while (i < built.size()) {
    if (built[i] == original[i]) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    std::size_t last_difference = i;
    while (end < built.size() && end - last_difference <= kPatchJoinGap) {
      if (built[end] != original[end]) last_difference = end;
      ++end;
    }
    patches.push_back(
        {i, std::vector<std::uint8_t>(
                original.begin() + static_cast<std::ptrdiff_t>(i),
                original.begin() + static_cast<std::ptrdiff_t>(last_difference + 1))});
    i = last_difference + 1;
  }
  return patches;
}

bool ApplyPatches(std::span<const BytePatch> patches, std::vector<std::uint8_t>& bytes,
                  std::string& error) {
  for (const BytePatch& patch : patches) {
    if (patch.at > bytes.size() || patch.bytes.size() > bytes.size() - patch.at) {
      error = "the patch at " + std::to_string(patch.at) + " reaches past the declared size of " +
              std::to_string(bytes.size()) + " bytes";
      return false;
    }
    std::copy(patch.bytes.begin(), patch.bytes.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(patch.at));
  }
  return true;
}

}  // namespace tarvolin::profiles
