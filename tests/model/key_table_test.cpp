#include "model/key_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/key_buttons.h"
#include "model/key_event.h"
#include "model/media_keys.h"
#include "model/model_text.h"
#include "model/modifier_bits.h"

namespace tarvolin::model {
namespace {

// A second transcription of the key tables, kept apart from the implementation's so that a
// slip in either shows up here.
struct ListRow {
  int list_id;
  int code;
  const char16_t* name;
  int button;  // 0: no button
  int light;   // -1: none
  int vk;
  int alt_vk;  // 0: same as vk
  int usage;
};
const ListRow kListRows[] = {
    {0x00, 0x01E, u"A", 1058, 11, 0x41, 0, 0x04},
    {0x01, 0x030, u"B", 1075, 52, 0x42, 0, 0x05},
    {0x02, 0x02E, u"C", 1073, 36, 0x43, 0, 0x06},
    {0x03, 0x020, u"D", 1060, 27, 0x44, 0, 0x07},
    {0x04, 0x012, u"E", 1046, 26, 0x45, 0, 0x08},
    {0x05, 0x021, u"F", 1061, 35, 0x46, 0, 0x09},
    {0x06, 0x022, u"G", 1062, 43, 0x47, 0, 0x0A},
    {0x07, 0x023, u"H", 1063, 51, 0x48, 0, 0x0B},
    {0x08, 0x017, u"I", 1051, 66, 0x49, 0, 0x0C},
    {0x09, 0x024, u"J", 1064, 59, 0x4A, 0, 0x0D},
    {0x0A, 0x025, u"K", 1065, 67, 0x4B, 0, 0x0E},
    {0x0B, 0x026, u"L", 1066, 75, 0x4C, 0, 0x0F},
    {0x0C, 0x032, u"M", 1077, 68, 0x4D, 0, 0x10},
    {0x0D, 0x031, u"N", 1076, 60, 0x4E, 0, 0x11},
    {0x0E, 0x018, u"O", 1052, 74, 0x4F, 0, 0x12},
    {0x0F, 0x019, u"P", 1053, 82, 0x50, 0, 0x13},
    {0x10, 0x010, u"Q", 1044, 10, 0x51, 0, 0x14},
    {0x11, 0x013, u"R", 1047, 34, 0x52, 0, 0x15},
    {0x12, 0x01F, u"S", 1059, 19, 0x53, 0, 0x16},
    {0x13, 0x014, u"T", 1048, 42, 0x54, 0, 0x17},
    {0x14, 0x016, u"U", 1050, 58, 0x55, 0, 0x18},
    {0x15, 0x02F, u"V", 1074, 44, 0x56, 0, 0x19},
    {0x16, 0x011, u"W", 1045, 18, 0x57, 0, 0x1A},
    {0x17, 0x02D, u"X", 1072, 28, 0x58, 0, 0x1B},
    {0x18, 0x015, u"Y", 1049, 50, 0x59, 0, 0x1C},
    {0x19, 0x02C, u"Z", 1071, 20, 0x5A, 0, 0x1D},
    {0x1A, 0x002, u"1", 1030, 9, 0x31, 0, 0x1E},
    {0x1B, 0x003, u"2", 1031, 17, 0x32, 0, 0x1F},
    {0x1C, 0x004, u"3", 1032, 25, 0x33, 0, 0x20},
    {0x1D, 0x005, u"4", 1033, 33, 0x34, 0, 0x21},
    {0x1E, 0x006, u"5", 1034, 41, 0x35, 0, 0x22},
    {0x1F, 0x007, u"6", 1035, 49, 0x36, 0, 0x23},
    {0x20, 0x008, u"7", 1036, 57, 0x37, 0, 0x24},
    {0x21, 0x009, u"8", 1037, 65, 0x38, 0, 0x25},
    {0x22, 0x00A, u"9", 1038, 73, 0x39, 0, 0x26},
    {0x23, 0x00B, u"0", 1039, 81, 0x30, 0, 0x27},
    {0x24, 0x01C, u"Enter", 1070, 106, 0x0D, 0, 0x28},
    {0x25, 0x001, u"Esc", 1022, 0, 0x1B, 0, 0x29},
    {0x26, 0x00E, u"Backspace", 1043, 105, 0x08, 0, 0x2A},
    {0x27, 0x00F, u"Tab", 1056, 2, 0x09, 0, 0x2B},
    {0x28, 0x039, u"Space", 1090, 29, 0x20, 0, 0x2C},
    {0x29, 0x00C, u"-", 1040, 89, 0xBD, 0, 0x2D},
    {0x2A, 0x00D, u"=", 1041, 97, 0xBB, 0, 0x2E},
    {0x2B, 0x01A, u"[", 1054, 90, 0xDB, 0, 0x2F},
    {0x2C, 0x01B, u"]", 1055, 98, 0xDD, 0, 0x30},
    {0x2D, 0x02B, u"\\", 1042, 107, 0xDC, 0, 0x31},
    {0x2E, 0x027, u";", 1067, 83, 0xBA, 0, 0x33},
    {0x2F, 0x028, u"'", 1068, 91, 0xDE, 0, 0x34},
    {0x30, 0x029, u"`", 1029, 1, 0xC0, 0, 0x35},
    {0x31, 0x033, u",", 1078, 76, 0xBC, 0, 0x36},
    {0x32, 0x034, u".", 1079, 84, 0xBE, 0, 0x37},
    {0x33, 0x035, u"/", 1080, 92, 0xBF, 0, 0x38},
    {0x34, 0x03B, u"F1", 1010, 8, 0x70, 0, 0x3A},
    {0x35, 0x03C, u"F2", 1011, 16, 0x71, 0, 0x3B},
    {0x36, 0x03D, u"F3", 1012, 24, 0x72, 0, 0x3C},
    {0x37, 0x03E, u"F4", 1013, 32, 0x73, 0, 0x3D},
    {0x38, 0x03F, u"F5", 1014, 40, 0x74, 0, 0x3E},
    {0x39, 0x040, u"F6", 1015, 48, 0x75, 0, 0x3F},
    {0x3A, 0x041, u"F7", 1023, 56, 0x76, 0, 0x40},
    {0x3B, 0x042, u"F8", 1024, 64, 0x77, 0, 0x41},
    {0x3C, 0x043, u"F9", 1025, 72, 0x78, 0, 0x42},
    {0x3D, 0x044, u"F10", 1026, 80, 0x79, 0, 0x43},
    {0x3E, 0x057, u"F11", 1027, 88, 0x7A, 0, 0x44},
    {0x3F, 0x058, u"F12", 1028, 96, 0x7B, 0, 0x45},
    {0x40, 0x137, u"Print Screen", 1091, 104, 0x2C, 0, 0x46},
    {0x41, 0x045, u"Pause", 1093, 120, 0x13, 0, 0x48},
    {0x42, 0x146, u"Break", 0, -1, 0x03, 0, 0x48},
    {0x43, 0x152, u"Insert", 1094, 113, 0x2D, 0, 0x49},
    {0x44, 0x153, u"Delete", 1097, 114, 0x2E, 0, 0x4C},
    {0x45, 0x147, u"Home", 1095, 121, 0x24, 0, 0x4A},
    {0x46, 0x14F, u"End", 1098, 122, 0x23, 0, 0x4D},
    {0x47, 0x149, u"Page Up", 1096, 129, 0x21, 0, 0x4B},
    {0x48, 0x151, u"Page Down", 1099, 130, 0x22, 0, 0x4E},
    {0x49, 0x148, u"↑", 1103, 108, 0x26, 0, 0x52},
    {0x4A, 0x150, u"↓", 1101, 77, 0x28, 0, 0x51},
    {0x4B, 0x14B, u"←", 1100, 69, 0x25, 0, 0x50},
    {0x4C, 0x14D, u"→", 1102, 85, 0x27, 0, 0x4F},
    {0x4D, 0x046, u"Scroll Lock", 1092, 112, 0x91, 0, 0x47},
    {0x4E, 0x03A, u"Caps Lock", 1069, 3, 0x14, 0, 0x39},
    {0x4F, 0x145, u"Num Lock", 1104, 138, 0x90, 0, 0x53},
    {0x50, 0x135, u"Num /", 1105, 137, 0x6F, 0, 0x54},
    {0x51, 0x037, u"Num *", 1106, 139, 0x6A, 0, 0x55},
    {0x52, 0x04A, u"Num -", 1107, 140, 0x6D, 0, 0x56},
    {0x53, 0x04E, u"Num +", 1111, 141, 0x6B, 0, 0x57},
    {0x54, 0x11C, u"Num Enter", 1118, 133, 0x0D, 0, 0x58},
    {0x55, 0x04F, u"Num 1", 1115, 109, 0x61, 0x23, 0x59},
    {0x56, 0x050, u"Num 2", 1116, 117, 0x62, 0x28, 0x5A},
    {0x57, 0x051, u"Num 3", 1117, 125, 0x63, 0x22, 0x5B},
    {0x58, 0x04B, u"Num 4", 1112, 116, 0x64, 0x25, 0x5C},
    {0x59, 0x04C, u"Num 5", 1113, 124, 0x65, 0x0C, 0x5D},
    {0x5A, 0x04D, u"Num 6", 1114, 132, 0x66, 0x27, 0x5E},
    {0x5B, 0x047, u"Num 7", 1108, 115, 0x67, 0x24, 0x5F},
    {0x5C, 0x048, u"Num 8", 1109, 123, 0x68, 0x26, 0x60},
    {0x5D, 0x049, u"Num 9", 1110, 131, 0x69, 0x21, 0x61},
    {0x5E, 0x052, u"Num 0", 1120, 93, 0x60, 0x2D, 0x62},
    {0x5F, 0x053, u"Num .", 1119, 101, 0x6E, 0x2E, 0x63},
    {0x60, 0x056, u"K45", 1209, 86, 0xE2, 0, 0x64},
    {0x61, 0x15D, u"App", 1088, 53, 0x5D, 0, 0x65},
    {0x62, 0x01D, u"Ctrl", 1083, 5, 0xA2, 0, 0xE0},
    {0x63, 0x02A, u"Shift", 1082, 4, 0xA0, 0, 0xE1},
    {0x64, 0x038, u"Alt", 1085, 21, 0xA4, 0, 0xE2},
    {0x65, 0x15B, u"Win", 1084, 13, 0x5B, 0, 0xE3},
    {0x66, 0x11D, u"Right Ctrl", 1089, 61, 0xA3, 0, 0xE4},
    {0x67, 0x036, u"Right Shift", 1081, 100, 0xA1, 0, 0xE5},
    {0x67, 0x136, u"Right Shift", 0, -1, 0xA1, 0, 0xE5},
    {0x68, 0x138, u"Right Alt", 1086, 37, 0xA5, 0, 0xE6},
    {0x69, 0x15C, u"Right Win", 1087, 61, 0x5C, 0, 0xE7},
};

struct OutsideRow {
  int list_id;
  int code;
  const char16_t* name;
  int vk;
  int usage;
};
const OutsideRow kOutsideRows[] = {
    {0x8001, 0x15E, u"Power", 0xFF, 0x81},        {0x8002, 0x15F, u"Sleep", 0x5F, 0x82},
    {0x8003, 0x163, u"Wake", 0xFF, 0x83},         {0x8004, 0x171, u"Left Button", 0x01, 0x00},
    {0x8005, 0x172, u"Right Button", 0x02, 0x00}, {0x8006, 0x173, u"Middle Button", 0x04, 0x00},
    {0x8007, 0x170, u"Double Click", 0x8A, 0x00}, {0x8008, 0x16E, u"Pan Left", 0x88, 0x00},
    {0x8009, 0x16F, u"Pan Right", 0x89, 0x00},    {0x800A, 0x174, u"Zoom-", 0x8B, 0xD2},
    {0x800B, 0x175, u"Zoom+", 0x8C, 0xD3},        {0x800C, 0x176, u"Copy", 0x97, 0x00},
    {0x800D, 0x177, u"Cut", 0x98, 0x00},          {0x800E, 0x178, u"Paste", 0x99, 0x00},
    {0x800F, 0x179, u"Minimize", 0x9A, 0x00},     {0x8010, 0x17A, u"Maximize", 0x9B, 0x00},
    {0x8011, 0x17B, u"Word", 0x9C, 0xD4},         {0x8012, 0x17C, u"Excel", 0x9D, 0xD5},
    {0x8013, 0x17D, u"PowerPoint", 0x9E, 0x00},   {0x8014, 0x17E, u"Calendar", 0x9F, 0x00},
    {0x8015, 0x054, u"Sys Req", 0x2C, 0x00},      {0x8016, 0x07D, u"K14", 0xFF, 0x89},
    {0x8017, 0x073, u"K56", 0xC1, 0x87},          {0x8018, 0x07E, u"K107", 0xC2, 0x85},
    {0x8019, 0x07B, u"N-CHG (131)", 0xEB, 0x8B},  {0x801A, 0x079, u"CHG (132)", 0xFF, 0x8A},
    {0x801B, 0x070, u"ROMA (133)", 0xFF, 0x88},   {0x801C, 0x071, u"KL", 0xE9, 0x91},
    {0x801D, 0x072, u"KR", 0xFF, 0x90},           {0x8030, 0x064, u"F13", 0x7C, 0x00},
};

struct MediaRow {
  int index;
  const char* text_key;
  int code;
  int consumer_usage;
  int usage;
};
const MediaRow kMediaRows[] = {
    {0, "MEDIA_PALYER_1", 0x16D, 0x183, 0xC2},
    {1, "MEDIA_PALY_PAUSE_2", 0x122, 0x0CD, 0xCE},
    {2, "MEDIA_STOP_PALY_3", 0x124, 0x0B7, 0xCF},
    {3, "MEDIA_PREV_TRACK_4", 0x110, 0x0B6, 0xD0},
    {4, "MEDIA_Next_TRACK_5", 0x119, 0x0B5, 0xD1},
    {5, "MEDIA_V_LOW_6", 0x12E, 0x0EA, 0xC1},
    {6, "MEDIA_V_ADD_7", 0x130, 0x0E9, 0xC0},
    {7, "MEDIA_MUTE_8", 0x120, 0x0E2, 0xCD},
    {8, "MEDIA_WWW_HOME_9", 0x132, 0x223, 0xC7},
    {9, "MEDIA_WWW_REFRESH_10", 0x167, 0x227, 0xCB},
    {10, "MEDIA_WWW_STOP_11", 0x168, 0x226, 0xCA},
    {11, "MEDIA_WWW_BACK_12", 0x16A, 0x224, 0xC8},
    {12, "MEDIA_WWW_FORWARD_13", 0x169, 0x225, 0xC9},
    {13, "MEDIA_WWW_FAVORITE_14", 0x166, 0x22A, 0xCC},
    {14, "MEDIA_WWW_SEARCH_15", 0x165, 0x221, 0xC6},
    {15, "MEDIA_MY_PC_16", 0x16B, 0x194, 0xC5},
    {16, "MEDIA_CALC_17", 0x121, 0x192, 0xC4},
    {17, "MEDIA_MAIL_18", 0x16C, 0x18A, 0xC3},
};

int SlotOf(int code) {
  return SlotOfCode(static_cast<std::uint16_t>(code));
}

TEST(KeyTable, EveryRowMatchesTheTranscription) {
  const auto& table = KeyTable();
  std::set<int> filled;
  for (const ListRow& row : kListRows) {
    SCOPED_TRACE(testing::Message() << "code 0x" << std::hex << row.code);
    const KeyTableEntry& entry = table[SlotOf(row.code)];
    EXPECT_EQ(entry.list_id, row.list_id);
    EXPECT_EQ(entry.name, std::u16string_view(row.name));
    EXPECT_EQ(entry.vk, row.vk);
    EXPECT_EQ(entry.alt_vk, row.alt_vk == 0 ? row.vk : row.alt_vk);
    EXPECT_EQ(entry.usage_byte, row.usage);
    EXPECT_TRUE(filled.insert(SlotOf(row.code)).second);
  }
  for (const OutsideRow& row : kOutsideRows) {
    SCOPED_TRACE(testing::Message() << "code 0x" << std::hex << row.code);
    const KeyTableEntry& entry = table[SlotOf(row.code)];
    EXPECT_EQ(entry.list_id, row.list_id);
    EXPECT_EQ(entry.name, std::u16string_view(row.name));
    EXPECT_EQ(entry.vk, row.vk);
    EXPECT_EQ(entry.usage_byte, row.usage);
    EXPECT_TRUE(filled.insert(SlotOf(row.code)).second);
  }
  for (const MediaRow& row : kMediaRows) {
    SCOPED_TRACE(testing::Message() << "media " << row.index);
    const KeyTableEntry& entry = table[SlotOf(row.code)];
    EXPECT_EQ(entry.list_id, 0x801E + row.index);
    EXPECT_TRUE(entry.name.empty());
    EXPECT_EQ(entry.name_text_key, row.text_key);
    EXPECT_EQ(entry.usage_byte, row.usage);
    const MediaKey& media = MediaKeyTable()[static_cast<std::size_t>(row.index)];
    EXPECT_EQ(media.name_text_key, row.text_key);
    EXPECT_EQ(media.code, row.code);
    EXPECT_EQ(media.consumer_usage, row.consumer_usage);
    EXPECT_EQ(media.usage_byte, row.usage);
    EXPECT_TRUE(IsMediaKeyCode(static_cast<std::uint16_t>(row.code)));
    EXPECT_TRUE(filled.insert(SlotOf(row.code)).second);
  }
  EXPECT_EQ(filled.size(), 107u + 30u + 18u);
  for (int slot = 0; slot < 256; ++slot) {
    if (filled.count(slot) != 0) continue;
    SCOPED_TRACE(testing::Message() << "empty slot " << slot);
    EXPECT_EQ(table[static_cast<std::size_t>(slot)].list_id, 0xFFFF);
    EXPECT_TRUE(table[static_cast<std::size_t>(slot)].name.empty());
    EXPECT_TRUE(table[static_cast<std::size_t>(slot)].name_text_key.empty());
    EXPECT_EQ(table[static_cast<std::size_t>(slot)].vk, 0);
    EXPECT_EQ(table[static_cast<std::size_t>(slot)].usage_byte, 0);
  }
  const std::uint16_t consumer[32] = {0x0E9, 0x0EA, 0x183, 0x18A, 0x192, 0x194,
                                      0x221, 0x223, 0x224, 0x225, 0x226, 0x227,
                                      0x22A, 0x0E2, 0x0CD, 0x0B7, 0x0B6, 0x0B5};
  for (std::size_t i = 0; i < 32; ++i) EXPECT_EQ(ConsumerTable()[i], consumer[i]) << i;
}

TEST(KeyTable, ButtonTableFollowsTheButtonOrder) {
  std::vector<int> order;
  for (int id = 0x00; id <= 0x41; ++id) order.push_back(id);
  for (int id = 0x43; id <= 0x4E; ++id) order.push_back(id);
  for (int id : {0x61, 0x62, 0x66, 0x63, 0x67, 0x64, 0x68, 0x65, 0x69}) order.push_back(id);
  for (int id = 0x55; id <= 0x5E; ++id) order.push_back(id);
  for (int id : {0x4F, 0x54, 0x5F, 0x50, 0x51, 0x52, 0x53, 0x60}) order.push_back(id);
  ASSERT_EQ(order.size(), KeyButtonTable().size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    const ListRow* expected = nullptr;
    for (const ListRow& row : kListRows) {
      if (row.list_id == order[i]) {
        expected = &row;
        break;  // the first Right Shift row, the one with a button
      }
    }
    ASSERT_NE(expected, nullptr);
    const KeyButton& button = KeyButtonTable()[i];
    EXPECT_EQ(button.button_id, expected->button) << i;
    EXPECT_EQ(button.code, expected->code) << i;
    EXPECT_EQ(button.light, expected->light) << i;
    EXPECT_EQ(KeyButtonIndex(button.button_id), i);
  }
  EXPECT_FALSE(KeyButtonIndex(1000).has_value());  // a G-key

  const int g_buttons[9] = {1000, 1001, 1002, 1003, 1004, 1140, 1141, 1142, 1143};
  const int g_lights[9] = {6, 14, 22, 30, 38, 0, 0, 0, 0};
  for (int j = 0; j < 9; ++j) {
    EXPECT_EQ(GKeyTable()[static_cast<std::size_t>(j)].button_id, g_buttons[j]);
    EXPECT_EQ(GKeyTable()[static_cast<std::size_t>(j)].light, g_lights[j]);
    EXPECT_EQ(GKeyIndex(static_cast<std::uint16_t>(g_buttons[j])), j);
    EXPECT_EQ(SlotOfGKey(j, 0), 256 + j);
    EXPECT_EQ(SlotOfGKey(j, 1), 265 + j);
    EXPECT_EQ(GSlotTag(static_cast<std::size_t>(256 + j)), 0x301 + j);
    EXPECT_EQ(GSlotTag(static_cast<std::size_t>(265 + j)), 0x1301 + j);
  }
  EXPECT_FALSE(GKeyIndex(1058).has_value());
  EXPECT_EQ(GKeyName(0), u"G1");
  EXPECT_EQ(SkinKeyOfGKey(8), u"FUNC_G9");
  EXPECT_EQ(SkinKeyOfSlot(SlotOfCode(0x01E)), u"KEY_01E");
  EXPECT_EQ(SkinKeyOfSlot(SlotOfCode(0x145)), u"KEY_0C5");
}

TEST(KeyTable, SlotsAndCodes) {
  EXPECT_EQ(SlotOfCode(0x145), 0xC5);
  EXPECT_EQ(CodeOfSlot(0xC5), 0x145);
  EXPECT_EQ(SlotOfCode(0x200), 0x100);
  EXPECT_EQ(SlotOfCode(0x1FF), 0x7F);
  EXPECT_EQ(SlotOfCode(0x100), 0x80);
  EXPECT_EQ(SlotOfCode(0x17F), 0xFF);
  EXPECT_EQ(SlotOfCode(0x180), 0x00);
  EXPECT_EQ(SlotOfCode(0x211), 273);
  for (std::uint16_t slot = 0; slot < 256; ++slot) EXPECT_EQ(SlotOfCode(CodeOfSlot(slot)), slot);
}

TEST(KeyTable, NamesAndKeyList) {
  EXPECT_EQ(KeyName(0x015), u"Y");
  EXPECT_EQ(KeyName(0x02C), u"Z");
  EXPECT_EQ(KeyName(0x07F), u"Unknown Key: 07f");
  EXPECT_EQ(KeyName(0x200), u"Unknown Key: 200");  // G-keys lie past the table
  EXPECT_EQ(KeyName(0x120), u"Hello world");       // a media key's compiled-in text

  char16_t buffer[4];
  KeyName(0x137, buffer, 4);
  EXPECT_EQ(std::u16string_view(buffer), u"Pri");
  KeyName(0x01E, buffer, 1);
  EXPECT_EQ(buffer[0], u'\0');

  EXPECT_EQ(KeyListCode(0x67), 0x036);
  EXPECT_EQ(KeyListName(0x67), u"Right Shift");
  EXPECT_EQ(KeyListCode(0x6A), 0);
  EXPECT_EQ(KeyListName(0x6A), u"");
  EXPECT_EQ(KeyListCode(0x00), 0x01E);
  EXPECT_EQ(KeyListIdOfCode(0x136), 0x67);
  EXPECT_EQ(KeyListIdOfCode(0x07F), 0xFFFF);
  for (std::uint16_t id = 0; id < kKeyListSize; ++id) {
    EXPECT_NE(KeyListCode(id), 0) << id;
    EXPECT_FALSE(KeyListName(id).empty()) << id;
  }
}

TEST(KeyTable, MediaNamesFollowTheTextLookupWithoutFallingBack) {
  SetModelTextLookup([](std::string_view key) -> std::u16string {
    if (key == "MEDIA_MUTE_8") return u"Mute";
    if (key == "UNKNOWN_KEY") return u"?%d?%s%n";
    return u" ";  // what the language table holds for a missing text
  });
  EXPECT_EQ(KeyName(0x120), u"Mute");
  EXPECT_EQ(KeyName(0x130), u" ");
  // A damaged template never reads arguments that do not exist: the built-in text stands in.
  EXPECT_EQ(KeyName(0x07F), u"Unknown Key: 07f");
  SetModelTextLookup(nullptr);
  EXPECT_EQ(KeyName(0x120), u"Hello world");
}

TEST(KeyTable, Usages) {
  EXPECT_EQ(UsageOfCode(0x174), (HidUsage{12, 0}));
  EXPECT_EQ(UsageOfCode(0x15E), (HidUsage{1, 0x81}));
  EXPECT_EQ(UsageOfCode(0x171), (HidUsage{0, 0}));
  EXPECT_EQ(UsageOfCode(0x01E), (HidUsage{7, 0x04}));
  EXPECT_EQ(UsageOfCode(0x120), (HidUsage{12, 0x0E2}));
  EXPECT_EQ(UsageOfCode(0x200), (HidUsage{0, 0}));

  EXPECT_EQ(CodeOfUsage({7, 0x48}), 0x045);
  EXPECT_EQ(CodeOfUsage({12, 0x0CD}), 0x122);
  EXPECT_EQ(CodeOfUsage({12, 0x1234}), 0);
  EXPECT_EQ(CodeOfUsage({12, 0}), 0x174);
  EXPECT_EQ(CodeOfUsage({1, 0x82}), 0x15F);
  EXPECT_EQ(CodeOfUsage({1, 0x84}), 0);
  EXPECT_EQ(CodeOfUsage({7, 0}), 0);
  EXPECT_EQ(CodeOfUsage({9, 0x04}), 0);
  EXPECT_EQ(CodeOfUsage({7, 0x104}), 0);  // not A
  // Keyboard-page values that equal system or consumer usage bytes are no key of ours.
  EXPECT_EQ(CodeOfUsage({7, 0x81}), 0);
  EXPECT_EQ(CodeOfUsage({7, 0xC2}), 0);

  // Every key with a Keyboard-page usage comes back from it, except the second of a pair.
  for (const ListRow& row : kListRows) {
    if (row.code == 0x146 || row.code == 0x136) continue;
    EXPECT_EQ(CodeOfUsage(UsageOfCode(static_cast<std::uint16_t>(row.code))), row.code);
  }
}

TEST(KeyTable, ModifierBitsAndReleaseOnlyKeys) {
  const int codes[8] = {0x01D, 0x02A, 0x038, 0x15B, 0x11D, 0x036, 0x138, 0x15C};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ModifierBitOfCode(static_cast<std::uint16_t>(codes[i])), 1 << i);
    EXPECT_EQ(CodeOfModifierBit(static_cast<std::uint8_t>(1 << i)), codes[i]);
  }
  EXPECT_EQ(CodeOfModifierBit(0x22), 0x02A);
  EXPECT_EQ(CodeOfModifierBit(0), 0);
  EXPECT_EQ(ModifierBitOfCode(0x136), 0);
  EXPECT_EQ(ModifierBitOfCode(0x01E), 0);

  std::set<int> release_only;
  for (int code = 0; code < 0x300; ++code) {
    if (IsReleaseOnlyKey(static_cast<std::uint16_t>(code))) release_only.insert(code);
  }
  EXPECT_EQ(release_only, (std::set<int>{0x054, 0x071, 0x072, 0x137}));
}

TEST(KeyEvent, VirtualKeyTable) {
  const auto& vk = VirtualKeyTable();
  EXPECT_EQ(vk[0x41], SlotOf(0x01E));
  EXPECT_EQ(vk[0x0D], SlotOf(0x01C));
  EXPECT_EQ(vk[0x2C], SlotOf(0x137));
  EXPECT_EQ(vk[0xA1], SlotOf(0x036));
  EXPECT_EQ(vk[0x10], SlotOf(0x02A));
  EXPECT_EQ(vk[0x11], SlotOf(0x01D));
  EXPECT_EQ(vk[0x12], SlotOf(0x038));
  EXPECT_EQ(vk[0x8B], SlotOf(0x152));
  EXPECT_EQ(vk[0x8C], SlotOf(0x153));
  EXPECT_EQ(vk[0x9C], SlotOf(0x154));
  EXPECT_EQ(vk[0x9D], SlotOf(0x155));
  EXPECT_EQ(vk[0x23], SlotOf(0x14F));  // End, not the numeric pad's 1
  EXPECT_EQ(vk[0x61], SlotOf(0x04F));
  EXPECT_EQ(vk[0x5F], SlotOf(0x15F));
  for (int mouse_or_office :
       {0x01, 0x02, 0x04, 0x88, 0x89, 0x8A, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9E, 0x9F}) {
    EXPECT_EQ(vk[static_cast<std::size_t>(mouse_or_office)], 0) << mouse_or_office;
  }
  // Otherwise the inverse of the VK column.
  for (const ListRow& row : kListRows) {
    if (row.vk == 0x0D || row.vk == 0x2C || row.vk == 0xA1) continue;
    EXPECT_EQ(vk[static_cast<std::size_t>(row.vk)], SlotOf(row.code)) << std::hex << row.code;
  }
}

std::uint64_t Flags(int scan_code_with_extended_bit) {
  return static_cast<std::uint64_t>(scan_code_with_extended_bit) << 16 | 1u;
}

TEST(KeyEvent, CodeFromKeyEvent) {
  EXPECT_EQ(CodeFromKeyEvent(0x41, Flags(0x01E)), 0x01E);
  EXPECT_EQ(CodeFromKeyEvent(0xA1, Flags(0x036)), 0x036);
  EXPECT_EQ(CodeFromKeyEvent(0x10, Flags(0x036)), 0x036);  // Right Shift whatever the VK
  EXPECT_EQ(CodeFromKeyEvent(0x00, Flags(0x036)), 0x036);
  EXPECT_EQ(CodeFromKeyEvent(0x10, Flags(0x02A)), 0x02A);
  EXPECT_EQ(CodeFromKeyEvent(0xA3, Flags(0x11D)), 0x11D);  // Right Ctrl
  EXPECT_EQ(CodeFromKeyEvent(0x11, Flags(0x11D)), 0x11D);
  EXPECT_EQ(CodeFromKeyEvent(0x0D, Flags(0x11C)), 0x11C);  // Num Enter
  EXPECT_EQ(CodeFromKeyEvent(0x0D, Flags(0x01C)), 0x01C);
  EXPECT_EQ(CodeFromKeyEvent(0x23, Flags(0x04F)), 0x04F);  // Num 1 with Num Lock off
  EXPECT_EQ(CodeFromKeyEvent(0x61, Flags(0x04F)), 0x04F);
  EXPECT_EQ(CodeFromKeyEvent(0x23, Flags(0x14F)), 0x14F);  // End
  EXPECT_EQ(CodeFromKeyEvent(0x41, 0), 0x01E);             // no scan code: the VK decides
  EXPECT_EQ(CodeFromKeyEvent(0xFF, Flags(0x07D)), 0x07D);  // no VK: the scan code decides
  EXPECT_EQ(CodeFromKeyEvent(0x42, Flags(0x01E)), 0x030);  // disagreeing: the VK decides
  EXPECT_EQ(CodeFromKeyEvent(0xAD, Flags(0x120)), 0x120);  // Mute
  EXPECT_EQ(CodeFromKeyEvent(0x2C, Flags(0x137)), 0x137);
  EXPECT_EQ(CodeFromKeyEvent(0x2C, Flags(0x054)), 0x054);   // Sys Req agrees with VK 0x2C
  EXPECT_EQ(CodeFromKeyEvent(0x141, Flags(0x01E)), 0x01E);  // only the VK's low byte counts
}

TEST(KeyTable, UnknownKeyNameTakesOnlyATemplateOfOneNumber) {
  EXPECT_EQ(KeyName(0x07F), u"Unknown Key: 07f");
  const auto named_with = [](std::u16string unknown_key) {
    SetModelTextLookup([unknown_key](std::string_view key) {
      return key == text::kUnknownKey ? unknown_key : std::u16string(BuiltInModelText(key));
    });
    std::u16string name = UnknownKeyName(0x7F);
    SetModelTextLookup({});
    return name;
  };
  EXPECT_EQ(named_with(u"Unbekannt: %#06X"), u"Unbekannt: 0X007F");
  EXPECT_EQ(named_with(u"100%% %d"), u"100% 127");
  // Templates that would read a missing argument or a string fall back to the built-in text.
  EXPECT_EQ(named_with(u"%X|%d"), u"Unknown Key: 07f");
  EXPECT_EQ(named_with(u"%s"), u"Unknown Key: 07f");
  EXPECT_EQ(named_with(u"%n"), u"Unknown Key: 07f");
  EXPECT_EQ(named_with(u"no number"), u"Unknown Key: 07f");
}

}  // namespace
}  // namespace tarvolin::model
