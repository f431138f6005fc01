#pragma once
#include <cstdint>
#include <optional>
#include <span>

// The buttons of the keyboard picture that show key marks, with the keyboard's LED position
// of each.

namespace tarvolin::lighting {

struct MarkButton {
  int button_id = 0;
  std::uint16_t key_code = 0;  // 0 for the G-keys and Fn
  int position = 0;
  // G6..G9 show the bit of position 0 but never change a mask.
  bool markable = true;
};

inline constexpr int kFnButton = 1174;

// Every button that shows marks, in drawing order: the 105 key buttons in key-button order,
// then G1..G9, then Fn.
std::span<const MarkButton> MarkButtons();

std::optional<MarkButton> FindMarkButton(int button_id);

}  // namespace tarvolin::lighting
