#include "lighting/mark_buttons.h"

#include <array>

namespace tarvolin::lighting {
namespace {

// {button id, key code, LED position}; the key buttons follow the main window's key-button
// order. Right Ctrl and Right Win share LED 61.
constexpr std::array<MarkButton, 115> kMarkButtons = {{
    {1058, 0x01E, 11, true},   // A
    {1075, 0x030, 52, true},   // B
    {1073, 0x02E, 36, true},   // C
    {1060, 0x020, 27, true},   // D
    {1046, 0x012, 26, true},   // E
    {1061, 0x021, 35, true},   // F
    {1062, 0x022, 43, true},   // G
    {1063, 0x023, 51, true},   // H
    {1051, 0x017, 66, true},   // I
    {1064, 0x024, 59, true},   // J
    {1065, 0x025, 67, true},   // K
    {1066, 0x026, 75, true},   // L
    {1077, 0x032, 68, true},   // M
    {1076, 0x031, 60, true},   // N
    {1052, 0x018, 74, true},   // O
    {1053, 0x019, 82, true},   // P
    {1044, 0x010, 10, true},   // Q
    {1047, 0x013, 34, true},   // R
    {1059, 0x01F, 19, true},   // S
    {1048, 0x014, 42, true},   // T
    {1050, 0x016, 58, true},   // U
    {1074, 0x02F, 44, true},   // V
    {1045, 0x011, 18, true},   // W
    {1072, 0x02D, 28, true},   // X
    {1049, 0x015, 50, true},   // Y
    {1071, 0x02C, 20, true},   // Z
    {1030, 0x002, 9, true},    // 1
    {1031, 0x003, 17, true},   // 2
    {1032, 0x004, 25, true},   // 3
    {1033, 0x005, 33, true},   // 4
    {1034, 0x006, 41, true},   // 5
    {1035, 0x007, 49, true},   // 6
    {1036, 0x008, 57, true},   // 7
    {1037, 0x009, 65, true},   // 8
    {1038, 0x00A, 73, true},   // 9
    {1039, 0x00B, 81, true},   // 0
    {1070, 0x01C, 106, true},  // Enter
    {1022, 0x001, 0, true},    // Esc
    {1043, 0x00E, 105, true},  // Backspace
    {1056, 0x00F, 2, true},    // Tab
    {1090, 0x039, 29, true},   // Space
    {1040, 0x00C, 89, true},   // -
    {1041, 0x00D, 97, true},   // =
    {1054, 0x01A, 90, true},   // [
    {1055, 0x01B, 98, true},   // ]
    {1042, 0x02B, 107, true},  // a single backslash
    {1067, 0x027, 83, true},   // ;
    {1068, 0x028, 91, true},   // a single apostrophe
    {1029, 0x029, 1, true},    // a single grave accent
    {1078, 0x033, 76, true},   // ,
    {1079, 0x034, 84, true},   // .
    {1080, 0x035, 92, true},   // /
    {1010, 0x03B, 8, true},    // F1
    {1011, 0x03C, 16, true},   // F2
    {1012, 0x03D, 24, true},   // F3
    {1013, 0x03E, 32, true},   // F4
    {1014, 0x03F, 40, true},   // F5
    {1015, 0x040, 48, true},   // F6
    {1023, 0x041, 56, true},   // F7
    {1024, 0x042, 64, true},   // F8
    {1025, 0x043, 72, true},   // F9
    {1026, 0x044, 80, true},   // F10
    {1027, 0x057, 88, true},   // F11
    {1028, 0x058, 96, true},   // F12
    {1091, 0x137, 104, true},  // Print Screen
    {1093, 0x045, 120, true},  // Pause
    {1094, 0x152, 113, true},  // Insert
    {1097, 0x153, 114, true},  // Delete
    {1095, 0x147, 121, true},  // Home
    {1098, 0x14F, 122, true},  // End
    {1096, 0x149, 129, true},  // Page Up
    {1099, 0x151, 130, true},  // Page Down
    {1103, 0x148, 108, true},  // ↑
    {1101, 0x150, 77, true},   // ↓
    {1100, 0x14B, 69, true},   // ←
    {1102, 0x14D, 85, true},   // →
    {1092, 0x046, 112, true},  // Scroll Lock
    {1069, 0x03A, 3, true},    // Caps Lock
    {1088, 0x15D, 53, true},   // App
    {1083, 0x01D, 5, true},    // Ctrl
    {1089, 0x11D, 61, true},   // Right Ctrl
    {1082, 0x02A, 4, true},    // Shift
    {1081, 0x036, 100, true},  // Right Shift
    {1085, 0x038, 21, true},   // Alt
    {1086, 0x138, 37, true},   // Right Alt
    {1084, 0x15B, 13, true},   // Win
    {1087, 0x15C, 61, true},   // Right Win
    {1115, 0x04F, 109, true},  // Num 1
    {1116, 0x050, 117, true},  // Num 2
    {1117, 0x051, 125, true},  // Num 3
    {1112, 0x04B, 116, true},  // Num 4
    {1113, 0x04C, 124, true},  // Num 5
    {1114, 0x04D, 132, true},  // Num 6
    {1108, 0x047, 115, true},  // Num 7
    {1109, 0x048, 123, true},  // Num 8
    {1110, 0x049, 131, true},  // Num 9
    {1120, 0x052, 93, true},   // Num 0
    {1104, 0x145, 138, true},  // Num Lock
    {1118, 0x11C, 133, true},  // Num Enter
    {1119, 0x053, 101, true},  // Num .
    {1105, 0x135, 137, true},  // Num /
    {1106, 0x037, 139, true},  // Num *
    {1107, 0x04A, 140, true},  // Num -
    {1111, 0x04E, 141, true},  // Num +
    {1209, 0x056, 86, true},   // K45
    // G1..G5, then G6..G9 which only display position 0
    {1000, 0, 6, true},
    {1001, 0, 14, true},
    {1002, 0, 22, true},
    {1003, 0, 30, true},
    {1004, 0, 38, true},
    {1140, 0, 0, false},
    {1141, 0, 0, false},
    {1142, 0, 0, false},
    {1143, 0, 0, false},
    {kFnButton, 0, 45, true},
}};

}  // namespace

std::span<const MarkButton> MarkButtons() {
  return kMarkButtons;
}

std::optional<MarkButton> FindMarkButton(int button_id) {
  for (const MarkButton& button : kMarkButtons) {
    if (button.button_id == button_id) return button;
  }
  return std::nullopt;
}

}  // namespace tarvolin::lighting
