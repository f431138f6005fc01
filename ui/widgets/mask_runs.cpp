#include "ui/widgets/mask_runs.h"

#include <algorithm>

namespace tarvolin::widgets {
namespace {

struct ChannelRange {
  int low;
  int high;
  bool Contains(int value) const { return value >= low && value <= high; }
};

ChannelRange RangeOf(std::uint32_t key, int shift, int tolerance) {
  const int low = static_cast<int>((key >> shift) & 0xFF);
  return {low, std::min(255, low + std::max(0, tolerance))};
}

}  // namespace

std::vector<MaskRun> FindOpaqueRuns(std::span<const std::uint32_t> pixels, int width, int height,
                                    std::uint32_t key, int tolerance) {
  std::vector<MaskRun> runs;
  if (width <= 0 || height <= 0) return runs;
  if (pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return runs;
  }
  const ChannelRange red = RangeOf(key, 16, tolerance);
  const ChannelRange green = RangeOf(key, 8, tolerance);
  const ChannelRange blue = RangeOf(key, 0, tolerance);
  auto transparent = [&](std::uint32_t pixel) {
    return red.Contains(static_cast<int>((pixel >> 16) & 0xFF)) &&
           green.Contains(static_cast<int>((pixel >> 8) & 0xFF)) &&
           blue.Contains(static_cast<int>(pixel & 0xFF));
  };
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * width;
    int x = 0;
    while (x < width) {
      while (x < width && transparent(row[x])) ++x;
      const int start = x;
      while (x < width && !transparent(row[x])) ++x;
      if (x > start) runs.push_back({start, y, x});
    }
  }
  return runs;
}

}  // namespace tarvolin::widgets
