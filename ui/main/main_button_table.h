#pragma once
// The main window's image buttons that have a fixed skin key, with their captions, text
// styles and tooltips. The key buttons and G buttons come from the key tables. Portable.
#include <optional>
#include <span>
#include <string_view>

#include "i18n/text_key.h"

namespace tarvolin::mainwnd {

struct CaptionStyle {
  std::u16string_view face;
  int points;
  unsigned colour;  // 0x00BBGGRR
  unsigned format;  // text drawing flags
};

inline constexpr CaptionStyle kButtonCaption{u"Tahoma", 9, 0xFFFFFF, 0x25};
inline constexpr CaptionStyle kProfileCaption{u"Arial", 10, 0xE4E4E4, 0x28};
inline constexpr CaptionStyle kVersionCaption{u"Verdana", 8, 0xE4E4E4, 0x24};
inline constexpr CaptionStyle kSwitchCaption{u"Arial", 10, 0xE4E4E4, 0x25};
inline constexpr CaptionStyle kGKeyCaption{u"Tahoma", 8, 0xFFFFFF, 0x25};
// The current-profile label's caption is turned by 26.8 degrees.
inline constexpr int kProfileEscapement = 268;

struct NamedButton {
  int id;
  std::u16string_view skin_key;
  std::optional<TextKey> caption;
  std::optional<CaptionStyle> style;  // a caption is drawn only with a style
  std::optional<TextKey> tooltip;
  bool created_disabled = false;
};

std::span<const NamedButton> NamedButtons();

}  // namespace tarvolin::mainwnd
