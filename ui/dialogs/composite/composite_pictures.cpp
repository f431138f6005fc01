#include "ui/dialogs/composite/composite_pictures.h"

#include "ui/main/bitmap_scaling.h"
#include "ui/skin/device_context.h"
#include "ui/skin/skin_image.h"

namespace tarvolin::composite {
namespace {

constexpr int kSurfaceMargin = 100;

// The skin's files per set, in state order normal, over, down, disabled. Tabs that are
// never disabled reuse their normal picture.
constexpr std::array<std::array<const wchar_t*, 4>, kPictureSetCount> kFiles{{
    {L"key_normal.jpg", L"key_over.jpg", L"key_down.jpg", L"key_normal.jpg"},
    {L"macro_normal.jpg", L"macro_over.jpg", L"macro_down.jpg", L"macro_disable.jpg"},
    {L"macro2_normal.jpg", L"macro2_over.jpg", L"macro2_down.jpg", L"macro2_disable.jpg"},
    {L"media_normal.jpg", L"media_over.jpg", L"media_down.jpg", L"media_normal.jpg"},
    {L"function_normal.jpg", L"function_over.jpg", L"function_down.jpg", L"function_normal.jpg"},
}};

}  // namespace

bool CompositePictures::Load(const std::wstring& skinFolder, HWND window, SIZE size,
                             mainwnd::DpiScale scale) {
  skin::WindowDc windowDc(window);
  if (windowDc.get() == nullptr) return false;
  const int width = size.cx + scale.Scale(kSurfaceMargin);
  const int height = size.cy + scale.Scale(kSurfaceMargin);
  for (std::size_t set = 0; set < kPictureSetCount; ++set) {
    for (std::size_t state = 0; state < 4; ++state) {
      const skin::SkinImage image = skin::LoadSkinImage(skinFolder, kFiles[set][state]);
      if (!image.IsCreated()) return false;
      skin::SkinSurface surface;
      if (!surface.Create(windowDc.get(), width, height)) return false;
      RECT all{0, 0, width, height};
      FillRect(surface.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      if (image.HasPicture()) {
        mainwnd::DrawScaled(surface.dc(), image.native(), image.width(), image.height(),
                            scale.Scale(image.width()), scale.Scale(image.height()));
      }
      sets_[set][state] = std::move(surface);
    }
  }
  return true;
}

skin::StatePictures CompositePictures::Pictures(PictureSet set) const {
  const auto& pictures = sets_[static_cast<std::size_t>(set)];
  return {&pictures[0], &pictures[1], &pictures[2], &pictures[3], &pictures[2]};
}

const skin::SkinSurface& CompositePictures::Background(PictureSet set) const {
  return sets_[static_cast<std::size_t>(set)][0];
}

}  // namespace tarvolin::composite
