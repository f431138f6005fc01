#pragma once
#include <cstdint>

#include "lighting/lighting_record.h"

namespace tarvolin::lighting {

inline constexpr std::uint8_t kToolPaint = 0;
inline constexpr std::uint8_t kToolErase = 1;
inline constexpr std::uint8_t kMaxReportRate = 3;

// The selected profile's record as the lighting panel works with it.
struct LightingFields {
  std::uint8_t effect = 0;
  std::uint8_t brightness = 0;
  std::uint8_t speed = 0;
  std::uint8_t user_mode = 0;
  std::uint8_t direction = 0;
  std::uint32_t colour_a = 0;  // 0x00BBGGRR
  std::uint32_t base_colour = 0;
  std::uint32_t colour_b = 0;
  std::uint8_t report_rate = 0;
  std::uint8_t user_tool = kToolPaint;
  std::uint8_t colour_preset = 0;
  std::uint8_t effect7_multicolour = 0;
  std::uint8_t trigger = 0;
  std::uint32_t colour_c = 0;
  bool colour_c_multicolour = false;
  std::uint32_t colour_d = 0;
  bool colour_d_multicolour = false;

  bool operator==(const LightingFields&) const = default;
};

// Takes a record into `fields`, limiting what the keyboard may hold out of range: report rate
// at most 3, tool paint unless exactly erase, and the effect-7 flag and the trigger only when
// they are 0 or 1 (the effect-7 flag also only for effect 7); otherwise those two keep their
// previous value.
void DecodeRecord(const LightingRecord& record, LightingFields& fields);

}  // namespace tarvolin::lighting
