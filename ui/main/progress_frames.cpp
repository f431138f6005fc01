#include "ui/main/progress_frames.h"

#include "ui/main/bitmap_scaling.h"
#include "ui/skin/device_context.h"
#include "ui/skin/gdi_object.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::mainwnd {
namespace {

// 32 bits per pixel, bottom-up rows.
BITMAPINFO PixelRowsInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

void ProgressFrames::Load(const std::wstring& skinFolder, HWND window, DpiScale scale) {
  skin::WindowDc windowDc(window);
  for (int i = 0; i < kCount; ++i) {
    Frame& frame = frames_[static_cast<std::size_t>(i)];
    frame = Frame{};
    const std::wstring path = skinFolder + L"jdt" + std::to_wstring(i + 1) + L".bmp";
    skin::BitmapHandle loaded(static_cast<HBITMAP>(LoadImageW(
        nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!loaded) continue;
    skin::BitmapHandle bitmap = scale.IsIdentity()
                                    ? std::move(loaded)
                                    : ScaleBitmap(windowDc.get(), loaded.get(), scale, true);
    if (!bitmap) continue;
    const SIZE size = widgets::BitmapSize(bitmap.get());
    BITMAPINFO info = PixelRowsInfo(size.cx, size.cy);
    frame.pixels.resize(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy));
    if (GetDIBits(windowDc.get(), bitmap.get(), 0, static_cast<UINT>(size.cy), frame.pixels.data(),
                  &info, DIB_RGB_COLORS) == 0) {
      frame.pixels.clear();
      continue;
    }
    frame.width = size.cx;
    frame.height = size.cy;
  }
}

void ProgressFrames::Paint(HDC dc, int index, SIZE size) const {
  if (index < 0 || index >= kCount) return;
  const Frame& frame = frames_[static_cast<std::size_t>(index)];
  if (frame.pixels.empty()) {
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  const BITMAPINFO info = PixelRowsInfo(frame.width, frame.height);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, size.cx, size.cy, 0, 0, frame.width, frame.height, frame.pixels.data(),
                &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace tarvolin::mainwnd
