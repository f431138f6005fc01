#include "ui/skin/skin_image_set.h"

#include <array>

#include "ui/skin/device_context.h"
#include "ui/skin/skin_image.h"

namespace tarvolin::skin {
namespace {

constexpr std::array<std::wstring_view, 11> kMainNames = {
    L"main_normal.jpg", L"main_over.jpg",   L"main_down.jpg",   L"main_disable.jpg",
    L"main_normal.jpg", L"main_over.jpg",   L"main_down.jpg",   L"main_disable.jpg",
    L"Arrow.jpg",       L"main_color0.jpg", L"main_color1.jpg",
};

constexpr std::array<std::wstring_view, 20> kCompositeNames = {
    L"key_normal.jpg",      L"key_over.jpg",      L"key_down.jpg",      L"key_normal.jpg",
    L"macro_normal.jpg",    L"macro_over.jpg",    L"macro_down.jpg",    L"macro_disable.jpg",
    L"macro2_normal.jpg",   L"macro2_over.jpg",   L"macro2_down.jpg",   L"macro2_disable.jpg",
    L"media_normal.jpg",    L"media_over.jpg",    L"media_down.jpg",    L"media_normal.jpg",
    L"function_normal.jpg", L"function_over.jpg", L"function_down.jpg", L"function_normal.jpg",
};

constexpr std::array<std::wstring_view, 4> kProfileNames = {
    L"Profile_normal.jpg", L"Profile_over.jpg", L"Profile_down.jpg", L"Profile_down.jpg"};

}  // namespace

bool SkinImageSet::Load(std::wstring_view folder, std::span<const std::wstring_view> names,
                        HWND window) {
  if (loaded_) return true;
  std::vector<SkinSurface> surfaces(names.size());
  std::vector<SkinImage> images;
  images.reserve(names.size());
  std::vector<std::wstring> empty;
  for (std::wstring_view name : names) {
    SkinImage image = LoadSkinImage(folder, name);
    if (!image.IsCreated()) return false;
    if (!image.HasPicture()) empty.emplace_back(name);
    images.push_back(std::move(image));
  }
  WindowDc windowDc(window);
  if (windowDc.get() == nullptr) return false;
  for (std::size_t i = 0; i < images.size(); ++i) {
    if (!SkinImageToSurface(surfaces[i], images[i], windowDc.get())) return false;
  }
  // The decoded images are released here, after every surface is built.
  surfaces_ = std::move(surfaces);
  empty_pictures_ = std::move(empty);
  loaded_ = true;
  return true;
}

std::span<const std::wstring_view> SkinImages::FileNames() {
  return kMainNames;
}

bool SkinImages::Load(std::wstring_view skinFolder, HWND mainWindow) {
  return set_.Load(skinFolder, kMainNames, mainWindow);
}

std::span<const std::wstring_view> CompositeImageNames() {
  return kCompositeNames;
}
std::span<const std::wstring_view> ProfileImageNames() {
  return kProfileNames;
}

}  // namespace tarvolin::skin
