#include "ui/main/bitmap_scaling.h"

#include "ui/skin/device_context.h"
#include "ui/skin/gdiplus_flat.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::mainwnd {
namespace {

class Graphics {
 public:
  explicit Graphics(HDC dc) {
    if (skin::gdip::GdipCreateFromHDC(dc, &graphics_) != Gdiplus::Ok) graphics_ = nullptr;
    if (graphics_ == nullptr) return;
    skin::gdip::GdipSetInterpolationMode(graphics_, Gdiplus::InterpolationModeHighQualityBicubic);
    skin::gdip::GdipSetPixelOffsetMode(graphics_, Gdiplus::PixelOffsetModeHighQuality);
    skin::gdip::GdipSetSmoothingMode(graphics_, Gdiplus::SmoothingModeHighQuality);
  }
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;
  ~Graphics() {
    if (graphics_ != nullptr) skin::gdip::GdipDeleteGraphics(graphics_);
  }
  skin::gdip::GpGraphics* get() const { return graphics_; }

 private:
  skin::gdip::GpGraphics* graphics_ = nullptr;
};

}  // namespace

bool DrawScaled(HDC dc, void* gdiplusImage, int w, int h, int sw, int sh) {
  auto* image = static_cast<skin::gdip::GpImage*>(gdiplusImage);
  Graphics graphics(dc);
  if (graphics.get() == nullptr) return false;
  Gdiplus::GpImageAttributes* attributes = nullptr;
  skin::gdip::GdipCreateImageAttributes(&attributes);
  if (attributes != nullptr) {
    skin::gdip::GdipSetImageAttributesWrapMode(attributes, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
  }
  const auto status =
      skin::gdip::GdipDrawImageRectRectI(graphics.get(), image, 0, 0, sw, sh, 0, 0, w, h,
                                         Gdiplus::UnitPixel, attributes, nullptr, nullptr);
  if (attributes != nullptr) skin::gdip::GdipDisposeImageAttributes(attributes);
  return status == Gdiplus::Ok;
}

skin::BitmapHandle ScaleBitmap(HDC reference, HBITMAP source, DpiScale scale, bool smooth) {
  const SIZE size = widgets::BitmapSize(source);
  const int sw = scale.Scale(size.cx);
  const int sh = scale.Scale(size.cy);
  skin::BitmapHandle target(CreateCompatibleBitmap(reference, sw, sh));
  if (!target) return target;
  skin::MemoryDc targetDc(reference);
  skin::SelectedObject selectTarget(targetDc.get(), target.get());
  if (smooth) {
    skin::gdip::GpBitmap* bitmap = nullptr;
    if (skin::gdip::GdipCreateBitmapFromHBITMAP(source, nullptr, &bitmap) == Gdiplus::Ok) {
      DrawScaled(targetDc.get(), bitmap, size.cx, size.cy, sw, sh);
      skin::gdip::GdipDisposeImage(bitmap);
      return target;
    }
  }
  // The shape keeps hard edges: nearest pixel, no blending of the key colour.
  skin::MemoryDc sourceDc(reference);
  skin::SelectedObject selectSource(sourceDc.get(), source);
  SetStretchBltMode(targetDc.get(), COLORONCOLOR);
  StretchBlt(targetDc.get(), 0, 0, sw, sh, sourceDc.get(), 0, 0, size.cx, size.cy, SRCCOPY);
  return target;
}

}  // namespace tarvolin::mainwnd
