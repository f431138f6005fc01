#pragma once
// What a BUTTONINFO key of the main skin file places, told from its name: the preview places
// every key of a skin it is given, not only those the program knows. Portable.
#include <string_view>

namespace tarvolin::skinpreview {

enum class SkinKeyRole {
  kImageButton,        // keys, G keys, Flip, profiles, locks, window buttons, ...
  kArrow,              // LEFT_ARROW, RIGHT_ARROW: hint pictures cut from Arrow.jpg
  kList,               // the lighting panel's drop-down lists
  kSlider,             // its sliders
  kText,               // its labels
  kPicture,            // its pictures the program draws (lamp, direction, tools, progress)
  kAlternatePosition,  // a place the panel moves one of its controls to for some effects
};

SkinKeyRole SkinKeyRoleOf(std::u16string_view key);

// The BUTTONINFO2 key of an arrow's picture with Flip 1 pressed: "UP_ARROW_LEFT1" or
// "UP_ARROW_RIGHT1".
std::u16string_view ArrowPictureKey(std::u16string_view arrow_key);

}  // namespace tarvolin::skinpreview
