#include "ui/skin/skin_surface.h"

#include <utility>

namespace tarvolin::skin {

SkinSurface::SkinSurface(SkinSurface&& other) noexcept
    : dc_(std::move(other.dc_)),
      bitmap_(std::move(other.bitmap_)),
      previous_(std::exchange(other.previous_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

SkinSurface& SkinSurface::operator=(SkinSurface&& other) noexcept {
  if (this != &other) {
    Clear();
    dc_ = std::move(other.dc_);
    bitmap_ = std::move(other.bitmap_);
    previous_ = std::exchange(other.previous_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

SkinSurface::~SkinSurface() {
  Clear();
}

void SkinSurface::Unselect() {
  // The bitmap can only be deleted once it is no longer selected into the DC.
  if (dc_ && previous_ != nullptr) SelectObject(dc_.get(), previous_);
  previous_ = nullptr;
}

void SkinSurface::Clear() {
  Unselect();
  bitmap_.Reset();
  dc_ = MemoryDc();
  width_ = 0;
  height_ = 0;
}

bool SkinSurface::Create(HDC reference, int width, int height) {
  Clear();
  if (width <= 0 || height <= 0) return false;
  MemoryDc dc(reference);
  if (!dc) return false;
  BitmapHandle bitmap(CreateCompatibleBitmap(reference, width, height));
  if (!bitmap) return false;
  HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
  if (previous == nullptr || previous == HGDI_ERROR) return false;
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  previous_ = previous;
  width_ = width;
  height_ = height;
  return true;
}

}  // namespace tarvolin::skin
