#pragma once
// Which of the main window's four skin pictures each state of a main-window image button
// shows, by its skin key. Portable.
#include <array>
#include <string_view>

namespace tarvolin::skin {

// The four pictures of the main window: normal, over (hover), down (pressed), disable.
enum class MainPicture { kNormal, kOver, kDown, kDisable };

// For the states normal, hover, pressed, disabled and checked, in that order.
using StatePicturePattern = std::array<MainPicture, 5>;

// The pattern of the main window's table; keys it does not list (the key buttons, G keys,
// and anything unknown) get the key-button pattern N O D N X.
StatePicturePattern MainKeyPicturePattern(std::u16string_view skinKey);

}  // namespace tarvolin::skin
