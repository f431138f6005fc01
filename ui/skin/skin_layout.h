#pragma once
// A window's skin INI file and the four placement operations that read it.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/ini_store.h"
#include "ui/skin/layout_value.h"
#include "ui/skin/skin_button.h"

namespace tarvolin::skin {

inline constexpr std::u16string_view kButtonSection = u"BUTTONINFO";
inline constexpr std::u16string_view kButtonSection2 = u"BUTTONINFO2";
inline constexpr std::u16string_view kScreenSection = u"SCREEN";

class SkinLayout {
 public:
  explicit SkinLayout(const IniStore& file) : file_(file) {}

  // The layout value of (section, key); a missing file or key gives 1,1,1,1.
  LayoutValue Read(std::u16string_view section, std::u16string_view key) const;
  std::u16string ReadText(std::u16string_view section, std::u16string_view key,
                          std::u16string_view fallback) const;

 private:
  const IniStore& file_;
};

// Moves and sizes the button, gives it its five pictures with the source position (x, y),
// repaints it, and disables it when the skin marks it absent (x = 1, y = 1).
LayoutValue PlaceSkinButton(SkinButton& button, const SkinLayout& layout,
                            std::u16string_view section, std::u16string_view key,
                            const StatePictures& pictures);
// Moves and sizes a control without repainting.
LayoutValue PlaceControl(HWND control, const SkinLayout& layout, std::u16string_view section,
                         std::u16string_view key);
// Moves a control keeping its size, and repaints.
LayoutValue MoveControl(HWND control, const SkinLayout& layout, std::u16string_view section,
                        std::u16string_view key);
// Moves and sizes from (section, key), then shows `picture` in every state from the position
// read at (section2, key2).
LayoutValue PlaceAlternateImage(SkinButton& button, const SkinLayout& layout,
                                std::u16string_view section, std::u16string_view key,
                                std::u16string_view section2, std::u16string_view key2,
                                const SkinSurface* picture);

}  // namespace tarvolin::skin
