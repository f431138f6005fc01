#include "ui/main/scaled_placement.h"

namespace tarvolin::mainwnd {

int ScaledSourcePosition(int skinPosition, DpiScale scale) {
  return scale.IsIdentity() ? skinPosition : scale.Scale(skinPosition - 1) + 1;
}

skin::LayoutValue PlaceScaledButton(skin::SkinButton& button, const skin::SkinLayout& layout,
                                    std::u16string_view key, const skin::StatePictures& pictures,
                                    DpiScale scale) {
  const skin::LayoutValue raw = layout.Read(skin::kButtonSection, key);
  const skin::LayoutValue placed = scale.Scale(raw);
  MoveWindow(button.Handle(), placed.x, placed.y, placed.width, placed.height, FALSE);
  if (raw.IsAbsent()) {
    button.SetSkin(raw.x, raw.y, pictures);
    EnableWindow(button.Handle(), FALSE);
  } else {
    button.SetSkin(ScaledSourcePosition(raw.x, scale), ScaledSourcePosition(raw.y, scale),
                   pictures);
  }
  return placed;
}

skin::LayoutValue PlaceScaledAlternate(skin::SkinButton& button, const skin::SkinLayout& layout,
                                       std::u16string_view key, std::u16string_view key2,
                                       const skin::SkinSurface* picture, DpiScale scale) {
  const skin::LayoutValue placed = scale.Scale(layout.Read(skin::kButtonSection, key));
  MoveWindow(button.Handle(), placed.x, placed.y, placed.width, placed.height, FALSE);
  const skin::LayoutValue source = layout.Read(skin::kButtonSection2, key2);
  button.SetSkin(ScaledSourcePosition(source.x, scale), ScaledSourcePosition(source.y, scale),
                 skin::StatePictures{picture, picture, picture, picture, picture});
  return placed;
}

}  // namespace tarvolin::mainwnd
