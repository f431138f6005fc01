#include "ui/widgets/mask_region.h"

#include <algorithm>
#include <vector>

#include "ui/skin/device_context.h"
#include "ui/widgets/mask_runs.h"

namespace tarvolin::widgets {
namespace {

// Rectangles are gathered in steps of 100 and turned into a region every 2000, which keeps
// each ExtCreateRegion call within what every Windows version accepts.
constexpr std::size_t kGrowStep = 100;
constexpr std::size_t kRectsPerRegion = 2000;

class RegionBuilder {
 public:
  explicit RegionBuilder(skin::RegionHandle& result) : result_(result) { Grow(); }

  void Add(const MaskRun& run) {
    if (rects_.size() == rects_.capacity()) Grow();
    rects_.push_back(RECT{run.left, run.top, run.right, run.top + 1});
    if (rects_.size() >= kRectsPerRegion) Flush();
  }

  bool Flush() {
    if (rects_.empty()) return true;
    std::vector<char> buffer(sizeof(RGNDATAHEADER) + rects_.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects_.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects_.size() * sizeof(RECT));
    RECT bounds{rects_.front().left, rects_.front().top, rects_.front().right,
                rects_.front().bottom};
    for (const RECT& rect : rects_) {
      bounds.left = rect.left < bounds.left ? rect.left : bounds.left;
      bounds.top = rect.top < bounds.top ? rect.top : bounds.top;
      bounds.right = rect.right > bounds.right ? rect.right : bounds.right;
      bounds.bottom = rect.bottom > bounds.bottom ? rect.bottom : bounds.bottom;
    }
    data->rdh.rcBound = bounds;
    std::copy(rects_.begin(), rects_.end(), reinterpret_cast<RECT*>(data->Buffer));
    skin::RegionHandle part(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
    rects_.clear();
    if (!part) return false;
    if (!result_) {
      result_ = std::move(part);
    } else {
      CombineRgn(result_.get(), result_.get(), part.get(), RGN_OR);
    }
    return true;
  }

 private:
  void Grow() { rects_.reserve(rects_.capacity() + kGrowStep); }

  skin::RegionHandle& result_;
  std::vector<RECT> rects_;
};

}  // namespace

skin::RegionHandle RegionFromMask(HBITMAP mask, COLORREF key, int tolerance) {
  BITMAP info{};
  if (mask == nullptr || GetObjectW(mask, sizeof(info), &info) == 0) return {};
  const int width = info.bmWidth;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  skin::MemoryDc dc(nullptr);
  if (!dc) return {};

  // A top-down 32-bit copy: one 0x00RRGGBB value per pixel, top row first.
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  if (width > 0 && height > 0 &&
      GetDIBits(dc.get(), mask, 0, static_cast<UINT>(height), pixels.data(), &format,
                DIB_RGB_COLORS) == 0) {
    return {};
  }
  // COLORREF is 0x00BBGGRR; the pixels are 0x00RRGGBB.
  const std::uint32_t keyRgb = (static_cast<std::uint32_t>(GetRValue(key)) << 16) |
                               (static_cast<std::uint32_t>(GetGValue(key)) << 8) | GetBValue(key);
  skin::RegionHandle result;
  RegionBuilder builder(result);
  for (const MaskRun& run : FindOpaqueRuns(pixels, width, height, keyRgb, tolerance)) {
    builder.Add(run);
  }
  if (!builder.Flush()) return {};
  if (!result) result.Reset(CreateRectRgn(0, 0, 0, 0));
  return result;
}

}  // namespace tarvolin::widgets
