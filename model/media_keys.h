#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The eighteen media keys in the order the program lists them; a multimedia assignment
// stores the index into this table.

namespace tarvolin::model {

struct MediaKey {
  std::string_view name_text_key;  // language key of the key's name
  std::uint16_t code;
  std::uint16_t consumer_usage;  // what the keyboard is told
  std::uint8_t usage_byte;       // the key table's compact usage
  std::uint8_t vk;               // the Windows media virtual key the key produces
};

inline constexpr std::size_t kMediaKeyCount = 18;
inline constexpr std::uint16_t kFirstMediaListId = 0x801E;

// The virtual keys are the standard Windows media keys (VK_LAUNCH_MEDIA_SELECT ...), so a
// hook event of a media key resolves to that key's code.
inline constexpr std::array<MediaKey, kMediaKeyCount> kMediaKeyTable = {{
    {"MEDIA_PALYER_1", 0x16D, 0x183, 0xC2, 0xB5},
    {"MEDIA_PALY_PAUSE_2", 0x122, 0x0CD, 0xCE, 0xB3},
    {"MEDIA_STOP_PALY_3", 0x124, 0x0B7, 0xCF, 0xB2},
    {"MEDIA_PREV_TRACK_4", 0x110, 0x0B6, 0xD0, 0xB1},
    {"MEDIA_Next_TRACK_5", 0x119, 0x0B5, 0xD1, 0xB0},
    {"MEDIA_V_LOW_6", 0x12E, 0x0EA, 0xC1, 0xAE},
    {"MEDIA_V_ADD_7", 0x130, 0x0E9, 0xC0, 0xAF},
    {"MEDIA_MUTE_8", 0x120, 0x0E2, 0xCD, 0xAD},
    {"MEDIA_WWW_HOME_9", 0x132, 0x223, 0xC7, 0xAC},
    {"MEDIA_WWW_REFRESH_10", 0x167, 0x227, 0xCB, 0xA8},
    {"MEDIA_WWW_STOP_11", 0x168, 0x226, 0xCA, 0xA9},
    {"MEDIA_WWW_BACK_12", 0x16A, 0x224, 0xC8, 0xA6},
    {"MEDIA_WWW_FORWARD_13", 0x169, 0x225, 0xC9, 0xA7},
    {"MEDIA_WWW_FAVORITE_14", 0x166, 0x22A, 0xCC, 0xAB},
    {"MEDIA_WWW_SEARCH_15", 0x165, 0x221, 0xC6, 0xAA},
    {"MEDIA_MY_PC_16", 0x16B, 0x194, 0xC5, 0xB6},
    {"MEDIA_CALC_17", 0x121, 0x192, 0xC4, 0xB7},
    {"MEDIA_MAIL_18", 0x16C, 0x18A, 0xC3, 0xB4},
}};

inline const std::array<MediaKey, kMediaKeyCount>& MediaKeyTable() {
  return kMediaKeyTable;
}

bool IsMediaKeyCode(std::uint16_t code);
// The media index whose Consumer usage is `usage`.
std::optional<std::size_t> MediaIndexOfUsage(std::uint16_t usage);

}  // namespace tarvolin::model
