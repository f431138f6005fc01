#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Byte patches: what the readable fields of the profile rendering do not say, kept as runs of
// the original bytes laid over the bytes the fields build.

namespace tarvolin::profiles {

struct BytePatch {
  std::size_t at = 0;
  std::vector<std::uint8_t> bytes;
};

// The runs where `original` differs from `built` (the same size). Differences closer than
// eight bytes share one patch, so a patch reads as one region.
std::vector<BytePatch> FindPatches(std::span<const std::uint8_t> built,
                                   std::span<const std::uint8_t> original);

// Lays the patches over `bytes`; false with `error` set when one reaches past the end.
bool ApplyPatches(std::span<const BytePatch> patches, std::vector<std::uint8_t>& bytes,
                  std::string& error);

}  // namespace tarvolin::profiles
