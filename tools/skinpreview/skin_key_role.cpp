#include "tools/skinpreview/skin_key_role.h"

#include <algorithm>

namespace tarvolin::skinpreview {
namespace {

char16_t Upper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

// INI keys are compared without regard to case.
bool Contains(std::u16string_view text, std::u16string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char16_t a, char16_t b) { return Upper(a) == Upper(b); }) != text.end();
}

bool Equal(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && Contains(a, b);
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && Equal(text.substr(0, prefix.size()), prefix);
}

}  // namespace

SkinKeyRole SkinKeyRoleOf(std::u16string_view key) {
  if (Equal(key, u"LEFT_ARROW") || Equal(key, u"RIGHT_ARROW")) return SkinKeyRole::kArrow;
  // The panel's controls are CONTROL_ keys named by their kind; the window's own image
  // buttons (CONTROL_OK, CONTROL_CLOSE, ...) carry no such word.
  if (!StartsWith(key, u"CONTROL_")) return SkinKeyRole::kImageButton;
  const bool is_text = Contains(key, u"Static");
  const bool is_picture = Contains(key, u"StaPic");
  if ((is_text || is_picture) && (key.back() == u'2' || key.back() == u'3') &&
      Contains(key, u"BLFX")) {
    return SkinKeyRole::kAlternatePosition;
  }
  if (Contains(key, u"combo")) return SkinKeyRole::kList;
  if (Contains(key, u"Slider")) return SkinKeyRole::kSlider;
  if (is_picture || Equal(key, u"CONTROL_JDTStatic")) return SkinKeyRole::kPicture;
  if (is_text) return SkinKeyRole::kText;
  return SkinKeyRole::kImageButton;
}

std::u16string_view ArrowPictureKey(std::u16string_view arrow_key) {
  return Equal(arrow_key, u"LEFT_ARROW") ? u"UP_ARROW_LEFT1" : u"UP_ARROW_RIGHT1";
}

}  // namespace tarvolin::skinpreview
