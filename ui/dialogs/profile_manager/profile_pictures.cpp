#include "ui/dialogs/profile_manager/profile_pictures.h"

#include "ui/main/bitmap_scaling.h"
#include "ui/skin/device_context.h"
#include "ui/skin/fatal_exit.h"

namespace tarvolin::dialogs {
namespace {

constexpr std::array<const wchar_t*, 3> kFileNames = {L"Profile_normal.jpg", L"Profile_over.jpg",
                                                      L"Profile_down.jpg"};
constexpr int kSurfaceMargin = 100;

}  // namespace

void ProfilePictures::LoadOnce(const std::wstring& skinFolder) {
  if (loaded_) return;
  for (std::size_t i = 0; i < kCount; ++i) {
    images_[i] = skin::LoadSkinImage(skinFolder, kFileNames[i]);
    if (!images_[i].IsCreated() || !images_[i].HasPicture()) skin::EndProcessSilently();
  }
  loaded_ = true;
}

bool ProfilePictures::MakeSurfaces(HWND window, mainwnd::DpiScale scale) {
  skin::WindowDc windowDc(window);
  if (windowDc.get() == nullptr) return false;
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right + scale.Scale(kSurfaceMargin);
  const int height = client.bottom + scale.Scale(kSurfaceMargin);
  for (std::size_t i = 0; i < kCount; ++i) {
    const skin::SkinImage& image = images_[i];
    if (scale.IsIdentity()) {
      if (!skin::SkinImageToSurface(surfaces_[i], image, windowDc.get())) return false;
      continue;
    }
    skin::SkinSurface surface;
    if (!surface.Create(windowDc.get(), width, height)) return false;
    RECT all{0, 0, width, height};
    FillRect(surface.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    mainwnd::DrawScaled(surface.dc(), image.native(), image.width(), image.height(),
                        scale.Scale(image.width()), scale.Scale(image.height()));
    surfaces_[i] = std::move(surface);
  }
  return true;
}

skin::StatePictures ProfilePictures::States() const {
  return {&surfaces_[kNormal], &surfaces_[kOver], &surfaces_[kDown], &surfaces_[kDown],
          &surfaces_[kNormal]};
}

}  // namespace tarvolin::dialogs
