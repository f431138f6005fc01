#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvolin::lighting {

inline constexpr int kProfileCount = 3;
inline constexpr std::size_t kRecordSize = 42;
inline constexpr std::size_t kLightingAreaSize = kProfileCount * kRecordSize;  // 126

using Rgb = std::array<std::uint8_t, 3>;  // red, green, blue as the keyboard stores them

#pragma pack(push, 1)
// One hardware profile's lighting record, as the keyboard keeps it at profile x 42.
// The reserved bytes are not interpreted: reads pass them through and only the reset
// writes them.
struct LightingRecord {
  std::uint8_t effect;
  std::uint8_t brightness;  // 0..4
  std::uint8_t speed;       // 0..4
  std::uint8_t user_mode;   // which key mask the per-key effect shows, 0..9
  std::uint8_t direction;   // 0xFF or 0x00
  Rgb colour_a;
  std::uint8_t reserved_8;
  Rgb base_colour;  // base colour of the per-key effect
  Rgb colour_b;
  std::uint8_t report_rate;          // 0..3
  std::uint8_t user_tool;            // 0 paint, 1 erase
  std::uint8_t colour_preset;        // 0..3
  std::uint8_t effect7_multicolour;  // 0 or 1, meaningful for effect 7 only
  std::uint8_t trigger;              // 0 single key, 1 key area
  std::array<std::uint8_t, 5> reserved_20;
  Rgb colour_c;
  std::uint8_t colour_c_multicolour;
  std::uint8_t reserved_29;
  Rgb colour_d;
  std::uint8_t colour_d_multicolour;
  std::array<std::uint8_t, 8> reserved_34;
};
#pragma pack(pop)

static_assert(sizeof(LightingRecord) == kRecordSize);
static_assert(offsetof(LightingRecord, effect) == 0);
static_assert(offsetof(LightingRecord, brightness) == 1);
static_assert(offsetof(LightingRecord, speed) == 2);
static_assert(offsetof(LightingRecord, user_mode) == 3);
static_assert(offsetof(LightingRecord, direction) == 4);
static_assert(offsetof(LightingRecord, colour_a) == 5);
static_assert(offsetof(LightingRecord, reserved_8) == 8);
static_assert(offsetof(LightingRecord, base_colour) == 9);
static_assert(offsetof(LightingRecord, colour_b) == 12);
static_assert(offsetof(LightingRecord, report_rate) == 15);
static_assert(offsetof(LightingRecord, user_tool) == 16);
static_assert(offsetof(LightingRecord, colour_preset) == 17);
static_assert(offsetof(LightingRecord, effect7_multicolour) == 18);
static_assert(offsetof(LightingRecord, trigger) == 19);
static_assert(offsetof(LightingRecord, reserved_20) == 20);
static_assert(offsetof(LightingRecord, colour_c) == 25);
static_assert(offsetof(LightingRecord, colour_c_multicolour) == 28);
static_assert(offsetof(LightingRecord, reserved_29) == 29);
static_assert(offsetof(LightingRecord, colour_d) == 30);
static_assert(offsetof(LightingRecord, colour_d_multicolour) == 33);
static_assert(offsetof(LightingRecord, reserved_34) == 34);

// Offsets of the fields the lighting controls write one at a time.
namespace field {
inline constexpr std::uint8_t kEffect = offsetof(LightingRecord, effect);
inline constexpr std::uint8_t kBrightness = offsetof(LightingRecord, brightness);
inline constexpr std::uint8_t kSpeed = offsetof(LightingRecord, speed);
inline constexpr std::uint8_t kUserMode = offsetof(LightingRecord, user_mode);
inline constexpr std::uint8_t kDirection = offsetof(LightingRecord, direction);
inline constexpr std::uint8_t kReportRate = offsetof(LightingRecord, report_rate);
inline constexpr std::uint8_t kUserTool = offsetof(LightingRecord, user_tool);
}  // namespace field

using RecordBytes = std::array<std::uint8_t, kRecordSize>;

LightingRecord RecordFromBytes(std::span<const std::uint8_t, kRecordSize> bytes);
RecordBytes BytesOfRecord(const LightingRecord& record);

// Address of a field of a profile's record in the keyboard's lighting area.
constexpr std::uint16_t FieldAddress(int profile, std::uint8_t offset) {
  return static_cast<std::uint16_t>(profile * static_cast<int>(kRecordSize) + offset);
}

// The first 35 bytes of a record as the reset writes them: effect 5, brightness 3, speed 1,
// user mode 0, direction 0xFF, colour A red, base colour white, colour B red, report rate 0,
// tool 0xFF, colours C and D white with their flags 0.
inline constexpr std::size_t kDefaultRecordLength = 35;
extern const std::array<std::uint8_t, kDefaultRecordLength> kDefaultRecordBytes;

// Colours in memory are 0x00BBGGRR.
constexpr std::uint32_t ColourValue(const Rgb& rgb) {
  return static_cast<std::uint32_t>(rgb[0]) | (static_cast<std::uint32_t>(rgb[1]) << 8) |
         (static_cast<std::uint32_t>(rgb[2]) << 16);
}

}  // namespace tarvolin::lighting
