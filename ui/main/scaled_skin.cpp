#include "ui/main/scaled_skin.h"

#include "ui/main/bitmap_scaling.h"
#include "ui/skin/device_context.h"
#include "ui/skin/skin_image.h"
#include "ui/widgets/mask_region.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::mainwnd {
namespace {

constexpr int kSurfaceMargin = 100;
constexpr COLORREF kMaskTransparent = RGB(255, 255, 255);

}  // namespace

bool ScaledSkin::Load(const std::wstring& skinFolder, HWND window, HBITMAP background, HBITMAP mask,
                      DpiScale scale) {
  scale_ = scale;
  const SIZE size = widgets::BitmapSize(background);
  window_size_ = SIZE{scale.Scale(size.cx), scale.Scale(size.cy)};
  if (scale.IsIdentity()) {
    background_.Reset();
    mask_.Reset();
    return unscaled_.Load(skinFolder, window);
  }
  skin::WindowDc windowDc(window);
  if (windowDc.get() == nullptr) return false;
  background_ = ScaleBitmap(windowDc.get(), background, scale, true);
  mask_ = ScaleBitmap(windowDc.get(), mask, scale, false);
  if (!background_ || !mask_) return false;
  return LoadScaled(skinFolder, window);
}

bool ScaledSkin::LoadScaled(const std::wstring& skinFolder, HWND window) {
  skin::WindowDc windowDc(window);
  if (windowDc.get() == nullptr) return false;
  const int width = window_size_.cx + scale_.Scale(kSurfaceMargin);
  const int height = window_size_.cy + scale_.Scale(kSurfaceMargin);
  const auto names = skin::SkinImages::FileNames();
  for (std::size_t i = 0; i < scaled_.size(); ++i) {
    const skin::SkinImage image = skin::LoadSkinImage(skinFolder, names[i]);
    if (!image.IsCreated()) return false;
    skin::SkinSurface surface;
    if (!surface.Create(windowDc.get(), width, height)) return false;
    RECT all{0, 0, width, height};
    FillRect(surface.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (image.HasPicture()) {
      DrawScaled(surface.dc(), image.native(), image.width(), image.height(),
                 scale_.Scale(image.width()), scale_.Scale(image.height()));
    }
    scaled_[i] = std::move(surface);
  }
  return true;
}

const skin::SkinSurface* ScaledSkin::Picture(skin::MainPicture picture) const {
  const auto slot = static_cast<std::size_t>(picture);  // N, O, D, X are slots 0..3
  if (scale_.IsIdentity()) return unscaled_.at(static_cast<skin::SkinImages::Slot>(slot));
  return &scaled_[slot];
}

const skin::SkinSurface* ScaledSkin::SecondPicture(skin::MainPicture picture) const {
  const std::size_t slot = skin::SkinImages::kSecondNormal + static_cast<std::size_t>(picture);
  if (scale_.IsIdentity()) return unscaled_.at(static_cast<skin::SkinImages::Slot>(slot));
  return &scaled_[slot];
}

const skin::SkinSurface* ScaledSkin::Arrow() const {
  if (scale_.IsIdentity()) return unscaled_.at(skin::SkinImages::kArrow);
  return &scaled_[skin::SkinImages::kArrow];
}

skin::RegionHandle ScaledSkin::MakeShape() const {
  if (!mask_) return skin::RegionHandle();
  return widgets::RegionFromMask(mask_.get(), kMaskTransparent, 0);
}

}  // namespace tarvolin::mainwnd
