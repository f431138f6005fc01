#include "lighting/panel_reaction.h"

namespace tarvolin::lighting {
namespace {

template <typename T>
void TakeLater(std::optional<T>& earlier, const std::optional<T>& later) {
  if (later) earlier = later;
}

}  // namespace

PanelUpdate& PanelUpdate::Then(const PanelUpdate& later) {
  TakeLater(effect_list, later.effect_list);
  TakeLater(effect_selection, later.effect_selection);
  TakeLater(report_rate_pressed, later.report_rate_pressed);
  TakeLater(brightness_slider, later.brightness_slider);
  TakeLater(speed_slider, later.speed_slider);
  TakeLater(lamp_picture, later.lamp_picture);
  TakeLater(user_mode_selection, later.user_mode_selection);
  TakeLater(direction_placement, later.direction_placement);
  TakeLater(direction_pictures, later.direction_pictures);
  TakeLater(visibility, later.visibility);
  TakeLater(fill_clear, later.fill_clear);
  TakeLater(tool_pressed, later.tool_pressed);
  if (later.keys) {
    if (!keys) {
      keys = later.keys;
    } else if (later.keys->restore_normal || later.keys->redraw_assignments) {
      // Restoring the pictures wipes every frame drawn before.
      keys->restore_normal = keys->restore_normal || later.keys->restore_normal;
      keys->redraw_assignments = keys->redraw_assignments || later.keys->redraw_assignments;
      keys->frames = later.keys->frames;
    } else {
      keys->frames.insert(keys->frames.end(), later.keys->frames.begin(), later.keys->frames.end());
    }
  }
  return *this;
}

}  // namespace tarvolin::lighting
