#pragma once
// A decoded skin picture (a GDI+ image object) and the loader of the skin pictures.
#include <windows.h>

#include <string>
#include <string_view>

namespace tarvolin::skin {

class SkinSurface;

class SkinImage {
 public:
  SkinImage() = default;
  SkinImage(const SkinImage&) = delete;
  SkinImage& operator=(const SkinImage&) = delete;
  SkinImage(SkinImage&& other) noexcept;
  SkinImage& operator=(SkinImage&& other) noexcept;
  ~SkinImage();

  // False only when not even an empty image object could be made.
  bool IsCreated() const { return image_ != nullptr; }
  // False when the file was missing or could not be decoded: the object holds no picture.
  bool HasPicture() const { return has_picture_; }
  int width() const;
  int height() const;
  void* native() const { return image_; }  // the GpImage*

  static SkinImage FromNative(void* image, bool hasPicture);

 private:
  void* image_ = nullptr;
  bool has_picture_ = false;
};

// Decodes folder + relativeName with GDI+. A missing or undecodable file still gives an
// image object (without a picture); only the failure to create any object gives one that
// is not IsCreated(). GDI+ must have been started (GdiplusSession).
SkinImage LoadSkinImage(std::wstring_view folder, std::wstring_view relativeName);

// Builds the window-sized surface of a skin picture: the client area of the window owning
// `windowDc` plus 100 pixels right and down. The picture is drawn unscaled from (0, 0),
// cut at the right and bottom; the rest of the surface is black. Returns false when a
// drawing object could not be made.
bool SkinImageToSurface(SkinSurface& target, const SkinImage& image, HDC windowDc);

}  // namespace tarvolin::skin
