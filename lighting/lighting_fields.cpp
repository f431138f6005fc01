#include "lighting/lighting_fields.h"

#include <algorithm>

namespace tarvolin::lighting {

void DecodeRecord(const LightingRecord& record, LightingFields& fields) {
  fields.effect = record.effect;
  fields.brightness = record.brightness;
  fields.speed = record.speed;
  fields.user_mode = record.user_mode;
  fields.direction = record.direction;
  fields.colour_a = ColourValue(record.colour_a);
  fields.base_colour = ColourValue(record.base_colour);
  fields.colour_b = ColourValue(record.colour_b);
  fields.report_rate = std::min(record.report_rate, kMaxReportRate);
  fields.user_tool = record.user_tool == kToolErase ? kToolErase : kToolPaint;
  fields.colour_preset = record.colour_preset;
  if (record.effect == 7 && record.effect7_multicolour <= 1) {
    fields.effect7_multicolour = record.effect7_multicolour;
  }
  if (record.trigger <= 1) fields.trigger = record.trigger;
  fields.colour_c = ColourValue(record.colour_c);
  fields.colour_c_multicolour = record.colour_c_multicolour != 0;
  fields.colour_d = ColourValue(record.colour_d);
  fields.colour_d_multicolour = record.colour_d_multicolour != 0;
}

}  // namespace tarvolin::lighting
