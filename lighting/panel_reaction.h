#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lighting/effect_list.h"
#include "lighting/panel_appearance.h"

namespace tarvolin::lighting {

// Marks are drawn as a frame around a key button.
inline constexpr std::uint32_t kMarkLitColour = 0x00FF00;
inline constexpr std::uint32_t kMarkDarkColour = 0x000000;
inline constexpr int kMarkFrameValue = 50;

struct ButtonFrame {
  int button_id = 0;
  std::uint32_t colour = 0;
  bool operator==(const ButtonFrame&) const = default;
};

// What happens to the key buttons, in this order: normal pictures back (frames removed),
// each key redrawn with its assignment, then the frames.
struct KeyPictures {
  bool restore_normal = false;
  bool redraw_assignments = false;
  std::vector<ButtonFrame> frames;
};

// Fill (1207) and clear (1156) pictures.
struct FillClearPictures {
  bool fill_pressed = false;
  bool clear_pressed = false;
  bool operator==(const FillClearPictures&) const = default;
};

// The panel's reaction to one operation: each field that is set is applied by the panel, the
// rest stays as it is on screen.
struct PanelUpdate {
  std::optional<std::vector<EffectEntry>> effect_list;  // replace the list's entries
  std::optional<int> effect_selection;                  // -1 = no selection
  std::optional<int> report_rate_pressed;  // 0..3: that button pressed, others released
  std::optional<SliderView> brightness_slider;
  std::optional<SliderView> speed_slider;
  std::optional<std::u16string> lamp_picture;
  std::optional<int> user_mode_selection;
  std::optional<DirectionPlacement> direction_placement;
  std::optional<DirectionPictures> direction_pictures;
  std::optional<std::vector<ControlVisibility>> visibility;
  std::optional<FillClearPictures> fill_clear;
  std::optional<std::uint8_t> tool_pressed;  // kToolPaint or kToolErase; the other released
  std::optional<KeyPictures> keys;

  // Folds a later update into this one as if both were applied in turn.
  PanelUpdate& Then(const PanelUpdate& later);
};

}  // namespace tarvolin::lighting
