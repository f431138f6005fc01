#pragma once
// A skin picture ready for copying: a memory device context with its own bitmap selected.
#include <windows.h>

#include "ui/skin/device_context.h"
#include "ui/skin/gdi_object.h"

namespace tarvolin::skin {

class SkinSurface {
 public:
  SkinSurface() = default;
  SkinSurface(const SkinSurface&) = delete;
  SkinSurface& operator=(const SkinSurface&) = delete;
  SkinSurface(SkinSurface&& other) noexcept;
  SkinSurface& operator=(SkinSurface&& other) noexcept;
  ~SkinSurface();

  // Creates a width x height bitmap compatible with `reference` and selects it.
  bool Create(HDC reference, int width, int height);
  void Clear();

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  bool IsReady() const { return static_cast<bool>(dc_) && static_cast<bool>(bitmap_); }

 private:
  void Unselect();

  MemoryDc dc_;
  BitmapHandle bitmap_;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tarvolin::skin
