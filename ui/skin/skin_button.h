#pragma once
// What the placement operations need from an image button, so that the skin code does not
// depend on the widget classes.
#include <windows.h>

namespace tarvolin::skin {

class SkinSurface;

// The five state pictures of an image button; borrowed from an image set, never owned.
struct StatePictures {
  const SkinSurface* normal = nullptr;
  const SkinSurface* hover = nullptr;
  const SkinSurface* pressed = nullptr;
  const SkinSurface* disabled = nullptr;
  const SkinSurface* checked = nullptr;
};

class SkinButton {
 public:
  virtual HWND Handle() const = 0;
  // Stores the source position (the button's skin position) and the five pictures, and
  // repaints.
  virtual void SetSkin(int sourceX, int sourceY, const StatePictures& pictures) = 0;

 protected:
  ~SkinButton() = default;
};

}  // namespace tarvolin::skin
