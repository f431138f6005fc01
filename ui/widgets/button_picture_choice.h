#pragma once
// Which picture an image button paints for its current state. Portable.

namespace tarvolin::widgets {

enum class ButtonPicture { kNormal, kHover, kPressed, kDisabled, kChecked, kUnselected, kSelected };

struct ButtonState {
  bool enabled = true;
  bool selectionMode = false;
  bool selected = false;
  bool pressed = false;
  bool hover = false;
  bool checked = false;
};

// Disabled wins over everything, then the selection pictures, then pressed, hover, checked.
constexpr ButtonPicture ChooseButtonPicture(const ButtonState& state) {
  if (!state.enabled) return ButtonPicture::kDisabled;
  if (state.selectionMode)
    return state.selected ? ButtonPicture::kSelected : ButtonPicture::kUnselected;
  if (state.pressed) return ButtonPicture::kPressed;
  if (state.hover) return ButtonPicture::kHover;
  return state.checked ? ButtonPicture::kChecked : ButtonPicture::kNormal;
}

}  // namespace tarvolin::widgets
