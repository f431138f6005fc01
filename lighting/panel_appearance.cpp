#include "lighting/panel_appearance.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "lighting/effect_list.h"
#include "lighting/panel_control_ids.h"

namespace tarvolin::lighting {
namespace {

bool IsOneOf(int value, std::initializer_list<int> values) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

// Controls shown in lighting mode for an effect, beside the three always shown.
std::vector<int> ControlsForEffect(int effect) {
  using namespace control;
  if (IsOneOf(effect, {1, 2, 3, 4, 15, 16, 27, 28})) {
    return {kEffectList,  kBrightnessLabel, kBrightnessSlider,     kSpeedLabel,
            kSpeedSlider, kDirectionLabel,  kDirectionLeftPicture, kDirectionRightPicture};
  }
  if (IsOneOf(effect, {6, 8, 9, 10, 11, 12, 13, 14, 17, 18, 19, 20, 21, 22, 23, 24, 26})) {
    return {kEffectList, kBrightnessLabel, kBrightnessSlider, kSpeedLabel, kSpeedSlider};
  }
  if (IsOneOf(effect, {5, 7, 25})) return {kEffectList, kBrightnessLabel, kBrightnessSlider};
  if (effect == kPerKeyEffect) {
    return {kEffectList, kBrightnessLabel, kBrightnessSlider, kToolLabel, kPaintTool,   kEraseTool,
            kClearLabel, kClear,           kFillLabel,        kFill,      kUserModeList};
  }
  return {};
}

std::u16string Digits(int value) {
  std::u16string text;
  for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
  return text;
}

}  // namespace

std::vector<ControlVisibility> PanelVisibility(bool lighting_mode, std::optional<int> effect) {
  const std::vector<int> shown =
      lighting_mode && effect.has_value() ? ControlsForEffect(*effect) : std::vector<int>{};
  std::vector<ControlVisibility> result;
  for (int id : control::kPanelControls) {
    const bool always =
        id == control::kUsbLabel || id == control::kLampLabel || id == control::kLamp;
    const bool listed = std::find(shown.begin(), shown.end(), id) != shown.end();
    result.push_back({id, always || listed});
  }
  return result;
}

DirectionPlacement DirectionPlacementFor(int effect) {
  std::u16string suffix;
  if (IsOneOf(effect, {1, 2, 3})) {
    suffix = u"2";
  } else if (effect == 12) {
    suffix = u"3";
  }
  return {u"CONTROL_BLFXStatic" + suffix, u"CONTROL_BLFXLStaPic" + suffix,
          u"CONTROL_BLFXRStaPic" + suffix};
}

DirectionPictures DirectionPicturesFor(int effect, std::uint8_t direction) {
  std::u16string left_name = u"left";
  std::u16string right_name = u"right";
  if (effect == 3) {
    left_name = u"kuosan";   // diffuse
    right_name = u"julong";  // converge
  } else if (effect == 15) {
    left_name = u"up";
    right_name = u"down";
  }
  const bool left_pressed = direction == kDirectionLeft;
  const bool right_pressed = direction == kDirectionRight;
  // The diffuse and converge pictures have no "up" suffix in their released form.
  const std::u16string released = effect == 3 ? u"" : u"up";
  return {left_name + (left_pressed ? u"down" : released) + u".bmp",
          right_name + (right_pressed ? u"down" : released) + u".bmp"};
}

std::optional<SliderView> BrightnessSlider(int brightness) {
  if (brightness < 0 || brightness >= kSliderPositions) return std::nullopt;
  return SliderView{brightness, Digits(brightness) + u".bmp"};
}

std::optional<SliderView> SpeedSlider(int speed) {
  if (speed < 0 || speed >= kSliderPositions) return std::nullopt;
  const int position = SpeedOfSliderPosition(speed);  // the mapping is its own inverse
  return SliderView{position, Digits(5 + position) + u".bmp"};
}

std::u16string LampPicture(bool lighting_mode) {
  return lighting_mode ? u"dengdown.bmp" : u"dengup.bmp";
}

std::vector<PanelLabel> PanelLabels(const IniStore& skin, int language) {
  if (language != 0 && language != 1) return {};
  const std::u16string_view section = language == 0 ? u"Control_Name" : u"Control_Name1";
  const std::pair<int, std::u16string_view> keys[] = {
      {control::kUsbLabel, u"Usb"},          {control::kLampLabel, u"Deng"},
      {control::kBrightnessLabel, u"Light"}, {control::kSpeedLabel, u"Speed"},
      {control::kDirectionLabel, u"FX"},     {control::kToolLabel, u"Tool"},
      {control::kClearLabel, u"DC"},         {control::kFillLabel, u"LEDOFF"}};
  std::vector<PanelLabel> labels;
  for (const auto& [id, key] : keys) labels.push_back({id, skin.Read(section, key, u"")});
  return labels;
}

std::u16string PaintToolPicture(bool pressed) {
  return pressed ? u"user1down.bmp" : u"user1up.bmp";
}

std::u16string EraseToolPicture(bool pressed) {
  return pressed ? u"user2down.bmp" : u"user2up.bmp";
}

}  // namespace tarvolin::lighting
