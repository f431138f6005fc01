#pragma once
// Which picture file a panel control shows, published on the control as a window property
// holding a global atom of the file name, so a reader outside the process (the end-to-end
// test driver) can tell the pictures apart without comparing pixels.
#include <windows.h>

#include <map>
#include <string_view>

namespace tarvolin::mainwnd {

inline constexpr wchar_t kPictureProperty[] = L"TarvolinPicture";

class PictureTags {
 public:
  PictureTags() = default;
  PictureTags(const PictureTags&) = delete;
  PictureTags& operator=(const PictureTags&) = delete;
  ~PictureTags();

  void Tag(HWND control, std::u16string_view fileName);

 private:
  void Untag(HWND control);
  std::map<HWND, ATOM> atoms_;
};

}  // namespace tarvolin::mainwnd
