#include "ui/skin/skin_image.h"

#include <utility>

#include "ui/skin/device_context.h"
#include "ui/skin/gdi_object.h"
#include "ui/skin/gdiplus_flat.h"
#include "ui/skin/skin_surface.h"

namespace tarvolin::skin {
namespace {

gdip::GpImage* AsImage(void* image) {
  return static_cast<gdip::GpImage*>(image);
}

// The extra room beyond the client area, so that pictures of controls placed partly
// outside it are still whole.
constexpr int kSurfaceMargin = 100;

class GraphicsScope {
 public:
  explicit GraphicsScope(HDC dc) {
    if (gdip::GdipCreateFromHDC(dc, &graphics_) != Gdiplus::Ok) graphics_ = nullptr;
  }
  GraphicsScope(const GraphicsScope&) = delete;
  GraphicsScope& operator=(const GraphicsScope&) = delete;
  ~GraphicsScope() {
    if (graphics_ != nullptr) gdip::GdipDeleteGraphics(graphics_);
  }
  gdip::GpGraphics* get() const { return graphics_; }

 private:
  gdip::GpGraphics* graphics_ = nullptr;
};

}  // namespace

SkinImage::SkinImage(SkinImage&& other) noexcept
    : image_(std::exchange(other.image_, nullptr)),
      has_picture_(std::exchange(other.has_picture_, false)) {}

SkinImage& SkinImage::operator=(SkinImage&& other) noexcept {
  if (this != &other) {
    if (image_ != nullptr) gdip::GdipDisposeImage(AsImage(image_));
    image_ = std::exchange(other.image_, nullptr);
    has_picture_ = std::exchange(other.has_picture_, false);
  }
  return *this;
}

SkinImage::~SkinImage() {
  if (image_ != nullptr) gdip::GdipDisposeImage(AsImage(image_));
}

SkinImage SkinImage::FromNative(void* image, bool hasPicture) {
  SkinImage result;
  result.image_ = image;
  result.has_picture_ = image != nullptr && hasPicture;
  return result;
}

int SkinImage::width() const {
  UINT value = 0;
  if (image_ == nullptr || !has_picture_) return 0;
  if (gdip::GdipGetImageWidth(AsImage(image_), &value) != Gdiplus::Ok) return 0;
  return static_cast<int>(value);
}

int SkinImage::height() const {
  UINT value = 0;
  if (image_ == nullptr || !has_picture_) return 0;
  if (gdip::GdipGetImageHeight(AsImage(image_), &value) != Gdiplus::Ok) return 0;
  return static_cast<int>(value);
}

SkinImage LoadSkinImage(std::wstring_view folder, std::wstring_view relativeName) {
  std::wstring path(folder);
  path += relativeName;
  gdip::GpBitmap* bitmap = nullptr;
  if (gdip::GdipCreateBitmapFromFile(path.c_str(), &bitmap) == Gdiplus::Ok && bitmap != nullptr) {
    return SkinImage::FromNative(bitmap, true);
  }
  // A missing or broken file is not an error here: the image exists but is empty.
  gdip::GpBitmap* empty = nullptr;
  if (gdip::GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, &empty) !=
      Gdiplus::Ok) {
    empty = nullptr;
  }
  return SkinImage::FromNative(empty, false);
}

bool SkinImageToSurface(SkinSurface& target, const SkinImage& image, HDC windowDc) {
  HWND window = WindowFromDC(windowDc);
  RECT client{};
  if (window != nullptr) GetClientRect(window, &client);
  const int width = (client.right - client.left) + kSurfaceMargin;
  const int height = (client.bottom - client.top) + kSurfaceMargin;

  SkinSurface temporary;
  if (!temporary.Create(windowDc, width, height)) return false;
  // Areas the picture does not cover get a defined colour rather than leftover memory.
  RECT all{0, 0, width, height};
  FillRect(temporary.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (image.HasPicture()) {
    GraphicsScope graphics(temporary.dc());
    if (graphics.get() == nullptr) return false;
    // One source pixel per destination pixel: no scaling whatever the picture's DPI.
    const auto w = static_cast<Gdiplus::REAL>(width);
    const auto h = static_cast<Gdiplus::REAL>(height);
    gdip::GdipDrawImageRectRect(graphics.get(), AsImage(image.native()), 0, 0, w, h, 0, 0, w, h,
                                Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
  }
  if (!target.Create(temporary.dc(), width, height)) return false;
  return BitBlt(target.dc(), 0, 0, width, height, temporary.dc(), 0, 0, SRCCOPY) != FALSE;
}

}  // namespace tarvolin::skin
