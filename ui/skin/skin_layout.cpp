#include "ui/skin/skin_layout.h"

namespace tarvolin::skin {

LayoutValue SkinLayout::Read(std::u16string_view section, std::u16string_view key) const {
  std::u16string text = file_.Read(section, key, kLayoutDefault);
  if (text.size() >= kLayoutBufferChars) text.resize(kLayoutBufferChars - 1);
  return ParseLayoutValue(text);
}

std::u16string SkinLayout::ReadText(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view fallback) const {
  return file_.Read(section, key, fallback);
}

LayoutValue PlaceSkinButton(SkinButton& button, const SkinLayout& layout,
                            std::u16string_view section, std::u16string_view key,
                            const StatePictures& pictures) {
  const LayoutValue value = layout.Read(section, key);
  MoveWindow(button.Handle(), value.x, value.y, value.width, value.height, FALSE);
  button.SetSkin(value.x, value.y, pictures);
  if (value.IsAbsent()) EnableWindow(button.Handle(), FALSE);
  return value;
}

LayoutValue PlaceControl(HWND control, const SkinLayout& layout, std::u16string_view section,
                         std::u16string_view key) {
  const LayoutValue value = layout.Read(section, key);
  MoveWindow(control, value.x, value.y, value.width, value.height, FALSE);
  return value;
}

LayoutValue MoveControl(HWND control, const SkinLayout& layout, std::u16string_view section,
                        std::u16string_view key) {
  const LayoutValue value = layout.Read(section, key);
  SetWindowPos(control, nullptr, value.x, value.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  InvalidateRect(control, nullptr, TRUE);
  return value;
}

LayoutValue PlaceAlternateImage(SkinButton& button, const SkinLayout& layout,
                                std::u16string_view section, std::u16string_view key,
                                std::u16string_view section2, std::u16string_view key2,
                                const SkinSurface* picture) {
  const LayoutValue value = layout.Read(section, key);
  MoveWindow(button.Handle(), value.x, value.y, value.width, value.height, FALSE);
  const LayoutValue source = layout.Read(section2, key2);
  button.SetSkin(source.x, source.y, StatePictures{picture, picture, picture, picture, picture});
  return value;
}

}  // namespace tarvolin::skin
