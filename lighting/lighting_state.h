#pragma once
#include <array>

#include "device/settings_block.h"
#include "lighting/effect_list.h"
#include "lighting/key_masks.h"
#include "lighting/lighting_fields.h"
#include "lighting/lighting_record.h"

namespace tarvolin::lighting {

// What the program knows about the keyboard's lighting. Empty (no effects) until the first
// successful read after a keyboard is attached.
struct LightingState {
  // Whose record the panel shows and every write addresses, 0..2.
  int selected_profile = 0;
  device::SettingsBlock settings;
  // The keyboard's three records as last read, kept in step with every write.
  std::array<RecordBytes, kProfileCount> records{};
  // The selected profile's record, decoded.
  LightingFields fields;
  EffectList effects;
  // Position selected in the effect list control; -1 for none.
  int effect_selection = -1;
  bool per_key_support = false;
  bool lighting_mode = false;
  // Result of the last lighting read: kReadDone (0) or kReadNoSettings (-1); -1 before any.
  int last_read = -1;
  // Filled for the selected profile by each read; changed by marks, fill, clear and reset.
  KeyMasks masks;
};

}  // namespace tarvolin::lighting
