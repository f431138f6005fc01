#pragma once
#include <array>
#include <cstdint>

// From Windows virtual keys and keyboard-hook events to key codes.

namespace tarvolin::model {

// Slot of the key that normally produces each virtual key (0 for none).
const std::array<std::uint16_t, 256>& VirtualKeyTable();

// The key code of a keyboard-hook event: `vk` is the virtual key (low byte used) and `lparam`
// the hook's keystroke flags, whose bits 16..24 carry the scan code and the extended bit.
// The scan code wins whenever it agrees with the virtual key, which keeps left and right
// modifiers and the numeric pad apart.
std::uint16_t CodeFromKeyEvent(std::uint32_t vk, std::uint64_t lparam);

}  // namespace tarvolin::model
