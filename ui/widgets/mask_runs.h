#pragma once
// The opaque runs of a window-shape picture. Portable: the region itself is made from the
// runs on the Win32 side.
#include <cstdint>
#include <span>
#include <vector>

namespace tarvolin::widgets {

// One opaque run: pixels [left, right) of row `top`, one pixel high.
struct MaskRun {
  int left;
  int top;
  int right;
  bool operator==(const MaskRun&) const = default;
};

// `pixels` holds width * height 32-bit values 0x00RRGGBB, top row first. A pixel is
// transparent when each of its red, green and blue lies between the key's component and
// the key's component plus `tolerance` (capped at 255). Returns the maximal runs of
// non-transparent pixels, row by row from the top, left to right.
std::vector<MaskRun> FindOpaqueRuns(std::span<const std::uint32_t> pixels, int width, int height,
                                    std::uint32_t key, int tolerance);

}  // namespace tarvolin::widgets
