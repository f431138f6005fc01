#include "model/key_buttons.h"

#include <string>

namespace tarvolin::model {
namespace {

// The key-list entries that have a button: list ids 0x00..0x41 and 0x43..0x4E, then the
// modifiers and App, the numeric pad, and K45.
constexpr std::array<KeyButton, kKeyButtonCount> kKeyButtons = {{
    {1058, 0x01E, 11},  {1075, 0x030, 52},  {1073, 0x02E, 36},  {1060, 0x020, 27},
    {1046, 0x012, 26},  {1061, 0x021, 35},  {1062, 0x022, 43},  {1063, 0x023, 51},
    {1051, 0x017, 66},  {1064, 0x024, 59},  {1065, 0x025, 67},  {1066, 0x026, 75},
    {1077, 0x032, 68},  {1076, 0x031, 60},  {1052, 0x018, 74},  {1053, 0x019, 82},
    {1044, 0x010, 10},  {1047, 0x013, 34},  {1059, 0x01F, 19},  {1048, 0x014, 42},
    {1050, 0x016, 58},  {1074, 0x02F, 44},  {1045, 0x011, 18},  {1072, 0x02D, 28},
    {1049, 0x015, 50},  {1071, 0x02C, 20},  {1030, 0x002, 9},   {1031, 0x003, 17},
    {1032, 0x004, 25},  {1033, 0x005, 33},  {1034, 0x006, 41},  {1035, 0x007, 49},
    {1036, 0x008, 57},  {1037, 0x009, 65},  {1038, 0x00A, 73},  {1039, 0x00B, 81},
    {1070, 0x01C, 106}, {1022, 0x001, 0},   {1043, 0x00E, 105}, {1056, 0x00F, 2},
    {1090, 0x039, 29},  {1040, 0x00C, 89},  {1041, 0x00D, 97},  {1054, 0x01A, 90},
    {1055, 0x01B, 98},  {1042, 0x02B, 107}, {1067, 0x027, 83},  {1068, 0x028, 91},
    {1029, 0x029, 1},   {1078, 0x033, 76},  {1079, 0x034, 84},  {1080, 0x035, 92},
    {1010, 0x03B, 8},   {1011, 0x03C, 16},  {1012, 0x03D, 24},  {1013, 0x03E, 32},
    {1014, 0x03F, 40},  {1015, 0x040, 48},  {1023, 0x041, 56},  {1024, 0x042, 64},
    {1025, 0x043, 72},  {1026, 0x044, 80},  {1027, 0x057, 88},  {1028, 0x058, 96},
    {1091, 0x137, 104}, {1093, 0x045, 120}, {1094, 0x152, 113}, {1097, 0x153, 114},
    {1095, 0x147, 121}, {1098, 0x14F, 122}, {1096, 0x149, 129}, {1099, 0x151, 130},
    {1103, 0x148, 108}, {1101, 0x150, 77},  {1100, 0x14B, 69},  {1102, 0x14D, 85},
    {1092, 0x046, 112}, {1069, 0x03A, 3},   {1088, 0x15D, 53},  {1083, 0x01D, 5},
    {1089, 0x11D, 61},  {1082, 0x02A, 4},   {1081, 0x036, 100}, {1085, 0x038, 21},
    {1086, 0x138, 37},  {1084, 0x15B, 13},  {1087, 0x15C, 61},  {1115, 0x04F, 109},
    {1116, 0x050, 117}, {1117, 0x051, 125}, {1112, 0x04B, 116}, {1113, 0x04C, 124},
    {1114, 0x04D, 132}, {1108, 0x047, 115}, {1109, 0x048, 123}, {1110, 0x049, 131},
    {1120, 0x052, 93},  {1104, 0x145, 138}, {1118, 0x11C, 133}, {1119, 0x053, 101},
    {1105, 0x135, 137}, {1106, 0x037, 139}, {1107, 0x04A, 140}, {1111, 0x04E, 141},
    {1209, 0x056, 86},
}};

constexpr std::array<GKeyButton, kGKeyCount> kGKeys = {{
    {1000, 6},
    {1001, 14},
    {1002, 22},
    {1003, 30},
    {1004, 38},
    {1140, 0},
    {1141, 0},
    {1142, 0},
    {1143, 0},
}};

std::u16string Ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace

const std::array<KeyButton, kKeyButtonCount>& KeyButtonTable() {
  return kKeyButtons;
}

const std::array<GKeyButton, kGKeyCount>& GKeyTable() {
  return kGKeys;
}

std::optional<std::size_t> KeyButtonIndex(std::uint16_t button_id) {
  for (std::size_t i = 0; i < kKeyButtons.size(); ++i) {
    if (kKeyButtons[i].button_id == button_id) return i;
  }
  return std::nullopt;
}

std::optional<int> GKeyIndex(std::uint16_t button_id) {
  for (int j = 0; j < kGKeyCount; ++j) {
    if (kGKeys[static_cast<std::size_t>(j)].button_id == button_id) return j;
  }
  return std::nullopt;
}

std::u16string GKeyName(int j) {
  return Ascii("G" + std::to_string(j + 1));
}

std::u16string SkinKeyOfGKey(int j) {
  return Ascii("FUNC_G" + std::to_string(j + 1));
}

}  // namespace tarvolin::model
