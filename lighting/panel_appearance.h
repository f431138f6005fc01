#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ini_store.h"

// What the lighting panel shows for a given effect and record: pure lookups, so the panel
// itself only applies them.

namespace tarvolin::lighting {

struct ControlVisibility {
  int control_id = 0;
  bool visible = false;
  bool operator==(const ControlVisibility&) const = default;
};

// Visibility of every panel control. `effect` is the effect selected in the list, or none.
std::vector<ControlVisibility> PanelVisibility(bool lighting_mode, std::optional<int> effect);

// Skin keys of the direction label and its two pictures for an effect.
struct DirectionPlacement {
  std::u16string label_key;
  std::u16string left_key;
  std::u16string right_key;
  bool operator==(const DirectionPlacement&) const = default;
};
DirectionPlacement DirectionPlacementFor(int effect);

// Pictures of the direction controls 1149 (direction 0xFF) and 1150 (direction 0x00); the
// one matching the stored direction is drawn pressed. A direction that is neither shows both
// released.
struct DirectionPictures {
  std::u16string left;
  std::u16string right;
  bool operator==(const DirectionPictures&) const = default;
};
DirectionPictures DirectionPicturesFor(int effect, std::uint8_t direction);

inline constexpr std::uint8_t kDirectionLeft = 0xFF;
inline constexpr std::uint8_t kDirectionRight = 0x00;

inline constexpr int kSliderPositions = 5;

struct SliderView {
  int position = 0;
  std::u16string picture;
  bool operator==(const SliderView&) const = default;
};
// Slider views of a stored value; none for a value outside 0..4 (the slider stays as it is).
std::optional<SliderView> BrightnessSlider(int brightness);
std::optional<SliderView> SpeedSlider(int speed);
// Speed written for a speed slider position.
constexpr int SpeedOfSliderPosition(int position) {
  return 4 - position;
}

std::u16string LampPicture(bool lighting_mode);

struct PanelLabel {
  int control_id = 0;
  std::u16string text;
  bool operator==(const PanelLabel&) const = default;
};
// The panel's labels from the main skin file: section "Control_Name" for language 0,
// "Control_Name1" for 1, a missing key giving an empty label. Other language values leave the
// labels as they are: no entries.
std::vector<PanelLabel> PanelLabels(const IniStore& skin, int language);

// The entries of the user mode list, in list order.
inline constexpr const char16_t* kUserModeEntries[] = {u"USER_MODE1", u"USER_MODE2", u"USER_MODE3",
                                                       u"USER_MODE4"};

inline constexpr char16_t kFillClearReleased[] = u"sjsup.bmp";
inline constexpr char16_t kFillClearPressed[] = u"sjsdown.bmp";
std::u16string PaintToolPicture(bool pressed);
std::u16string EraseToolPicture(bool pressed);

}  // namespace tarvolin::lighting
