#include "lighting/lighting_controller.h"

#include <algorithm>
#include <utility>

#include "device/commands.h"
#include "lighting/default_key_masks.h"
#include "lighting/lighting_commands.h"
#include "lighting/mark_buttons.h"
#include "lighting/panel_control_ids.h"
#include "lighting/user_settings.h"

namespace tarvolin::lighting {
namespace {

constexpr std::uint8_t kResetEffect = 5;
constexpr std::uint8_t kEffectRestoringPictures = 17;

bool IsProfile(int profile) {
  return profile >= 0 && profile < kProfileCount;
}

PanelUpdate RestoreKeyPictures(bool redraw_assignments = false) {
  PanelUpdate update;
  update.keys = KeyPictures{};
  update.keys->restore_normal = true;
  update.keys->redraw_assignments = redraw_assignments;
  return update;
}

PanelUpdate FrameKeys(std::vector<ButtonFrame> frames) {
  PanelUpdate update;
  update.keys = KeyPictures{};
  update.keys->frames = std::move(frames);
  return update;
}

PanelUpdate FillClearReleased() {
  PanelUpdate update;
  update.fill_clear = FillClearPictures{false, false};
  return update;
}

}  // namespace

int LanguageSetting(const IniStore& language_file) {
  const std::u16string value = language_file.Read(u"LANGUAGE", u"language", u" ");
  std::size_t i = 0;
  while (i < value.size() && (value[i] == u' ' || value[i] == u'\t')) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == u'-' || value[i] == u'+')) negative = value[i++] == u'-';
  int number = 0;
  for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i) {
    if (number > 100000) break;  // far beyond any language number
    number = number * 10 + (value[i] - u'0');
  }
  return negative ? -number : number;
}

LightingController::LightingController(device::DeviceChannel& channel,
                                       const LightingSources& sources)
    : channel_(channel), sources_(sources) {}

int LightingController::ReadLighting() {
  return ReadLighting(false);
}

int LightingController::ReadLighting(bool adopt_active_profile) {
  state_.effects = EffectList();
  state_.effect_selection = -1;
  std::fill_n(state_.settings.bytes.begin() + device::SettingsBlock::kOffsetEffectList,
              device::SettingsBlock::kEffectListSize, std::uint8_t{0});
  state_.per_key_support = false;

  device::SettingsBlock block;
  state_.last_read = kReadNoSettings;
  if (device::ReadSettings(channel_, block) != device::kResultOk) return kReadNoSettings;
  state_.settings = block;
  if (adopt_active_profile && IsProfile(block.ActiveProfile())) {
    state_.selected_profile = block.ActiveProfile();
  }
  state_.effects = EffectList::FromAnnounced(block.EffectList());
  state_.per_key_support = state_.effects.SupportsPerKey();

  device::Begin(channel_);
  if (state_.per_key_support) {
    ReadMaskPage(channel_, state_.selected_profile, state_.masks.page(state_.selected_profile));
  }
  ReadRecords(channel_, state_.records);
  device::End(channel_);

  const RecordBytes& record = state_.records[static_cast<std::size_t>(state_.selected_profile)];
  DecodeRecord(RecordFromBytes(record), state_.fields);
  state_.lighting_mode = ReadLightingMode(sources_.user_settings);
  state_.last_read = kReadDone;
  return kReadDone;
}

PanelUpdate LightingController::Refresh() {
  const LightingFields& fields = state_.fields;
  PanelUpdate update;

  EffectList named = state_.effects;
  named.NameEffects(sources_.skin, LanguageSetting(sources_.language_file));
  update.effect_list = named.entries();

  update.report_rate_pressed = fields.report_rate;
  update.brightness_slider = BrightnessSlider(fields.brightness);
  update.speed_slider = SpeedSlider(fields.speed);
  update.lamp_picture = LampPicture(state_.lighting_mode);
  if (state_.lighting_mode) update.Then(RestoreKeyPictures());

  state_.effect_selection = state_.effects.PositionOf(fields.effect);
  update.effect_selection = state_.effect_selection;
  if (fields.effect == kPerKeyEffect && state_.lighting_mode) update.Then(MarkRepaint());

  update.user_mode_selection = fields.user_mode;
  // The tool pictures follow the stored tool, so they never contradict what a click does.
  update.tool_pressed = fields.user_tool;
  update.direction_placement = DirectionPlacementFor(fields.effect);
  update.direction_pictures = DirectionPicturesFor(fields.effect, fields.direction);
  update.visibility = PanelVisibility(state_.lighting_mode, fields.effect);
  return update;
}

PanelUpdate LightingController::OnKeyboardAttached() {
  ReadLighting(true);
  return Refresh();
}

PanelUpdate LightingController::OnLightingChangedTimer() {
  ReadLighting(false);
  return Refresh();
}

PanelUpdate LightingController::SelectProfile(int profile) {
  if (!IsProfile(profile)) return {};
  state_.selected_profile = profile;
  ReadLighting(false);
  PanelUpdate update = Refresh();
  if (state_.lighting_mode) update.Then(SetLightingMode(false));
  return update;
}

void LightingController::WriteField(std::uint8_t offset, std::uint8_t value) {
  state_.records[static_cast<std::size_t>(state_.selected_profile)][offset] = value;
  const std::uint8_t bytes[1] = {value};
  WriteRecordBytes(channel_, state_.selected_profile, offset, bytes);
}

std::optional<int> LightingController::SelectedEffect() const {
  const std::optional<std::uint8_t> effect = state_.effects.EffectAt(state_.effect_selection);
  if (!effect) return std::nullopt;
  return *effect;
}

PanelUpdate LightingController::SelectEffectPosition(int position) {
  const std::optional<std::uint8_t> effect = state_.effects.EffectAt(position);
  if (!effect) return {};
  return RunEffectChange(*effect, position);
}

PanelUpdate LightingController::RunEffectChange(std::uint8_t effect, int position) {
  PanelUpdate update;
  state_.effect_selection = position;
  update.effect_selection = position;
  update.direction_placement = DirectionPlacementFor(effect);
  update.direction_pictures = DirectionPicturesFor(effect, state_.fields.direction);
  update.Then(RestoreKeyPictures());

  if (IsKnownEffect(effect)) {
    state_.fields.effect = effect;
    WriteField(field::kEffect, effect);
    if (effect == kEffectRestoringPictures) update.Then(RestoreKeyPictures());
    if (effect == kPerKeyEffect && state_.lighting_mode) update.Then(MarkRepaint());
  }
  // An unknown effect is not sent; the visibility below hides the list along with the rest.
  update.visibility = PanelVisibility(state_.lighting_mode, effect);
  return update;
}

PanelUpdate LightingController::MoveSlider(int control_id, int position) {
  if (control_id == control::kBrightnessSlider) return MoveBrightnessSlider(position);
  if (control_id == control::kSpeedSlider) return MoveSpeedSlider(position);
  return {};
}

PanelUpdate LightingController::MoveBrightnessSlider(int position) {
  const std::optional<SliderView> view = BrightnessSlider(position);
  if (!view) return {};
  PanelUpdate update;
  update.brightness_slider = view;
  if (position == state_.fields.brightness) return update;
  state_.fields.brightness = static_cast<std::uint8_t>(position);
  WriteField(field::kBrightness, state_.fields.brightness);
  return update;
}

PanelUpdate LightingController::MoveSpeedSlider(int position) {
  if (position < 0 || position >= kSliderPositions) return {};
  const int speed = SpeedOfSliderPosition(position);
  PanelUpdate update;
  update.speed_slider = SpeedSlider(speed);
  if (speed == state_.fields.speed) return update;
  state_.fields.speed = static_cast<std::uint8_t>(speed);
  WriteField(field::kSpeed, state_.fields.speed);
  return update;
}

PanelUpdate LightingController::ChooseDirection(std::uint8_t direction) {
  if (direction != kDirectionLeft && direction != kDirectionRight) return {};
  state_.fields.direction = direction;
  WriteField(field::kDirection, direction);
  PanelUpdate update;
  update.direction_pictures = DirectionPicturesFor(state_.fields.effect, direction);
  return update;
}

PanelUpdate LightingController::ChooseReportRate(int button_index) {
  if (button_index < 0 || button_index > kMaxReportRate) return {};
  state_.fields.report_rate = static_cast<std::uint8_t>(button_index);
  // Sent every time, even when unchanged: the button is also how the user re-sends it.
  WriteField(field::kReportRate, state_.fields.report_rate);
  PanelUpdate update;
  update.report_rate_pressed = button_index;
  return update;
}

PanelUpdate LightingController::ChooseUserMode(int list_position) {
  if (list_position < 0 || list_position >= control::kUserModeListEntries) return {};
  state_.fields.user_mode = static_cast<std::uint8_t>(list_position);
  PanelUpdate update = FillClearReleased();
  update.user_mode_selection = list_position;
  if (!state_.lighting_mode) return update;
  WriteField(field::kUserMode, state_.fields.user_mode);
  update.Then(MarkRepaint());
  return update;
}

PanelUpdate LightingController::ChooseTool(std::uint8_t tool) {
  if (tool != kToolPaint && tool != kToolErase) return {};
  state_.fields.user_tool = tool;
  WriteField(field::kUserTool, tool);
  PanelUpdate update;
  update.tool_pressed = tool;
  return update;
}

PanelUpdate LightingController::ToggleLightingMode() {
  return SetLightingMode(!state_.lighting_mode);
}

PanelUpdate LightingController::SetLightingMode(bool on) {
  state_.lighting_mode = on;
  WriteLightingMode(sources_.user_settings, on);
  PanelUpdate update;
  update.lamp_picture = LampPicture(on);
  if (!on) {
    update.Then(RestoreKeyPictures(true));
    update.visibility = PanelVisibility(false, std::nullopt);
    return update;
  }
  update.Then(RestoreKeyPictures());
  const std::optional<int> effect = SelectedEffect();
  update.visibility = PanelVisibility(true, effect);
  if (effect == kPerKeyEffect) update.Then(MarkRepaint());
  return update;
}

PanelUpdate LightingController::OnRestoreDefaults() {
  if (!state_.lighting_mode) return {};
  return ResetLighting();
}

PanelUpdate LightingController::ResetLighting() {
  const int profile = state_.selected_profile;
  PanelUpdate update = RunEffectChange(kResetEffect, state_.effects.PositionOf(kResetEffect));

  if (state_.per_key_support) {
    state_.fields.user_mode = 0;
    update.user_mode_selection = 0;
    state_.masks.page(profile) = kDefaultMaskPage;
    if (state_.lighting_mode) update.Then(MarkRepaint());
    WriteMaskPage(channel_, profile, state_.masks.page(profile));
  }

  RecordBytes& record = state_.records[static_cast<std::size_t>(profile)];
  std::copy(kDefaultRecordBytes.begin(), kDefaultRecordBytes.end(), record.begin());
  WriteRecordBytes(channel_, profile, 0, kDefaultRecordBytes);
  DecodeRecord(RecordFromBytes(record), state_.fields);

  // The panel shows what the keyboard now holds rather than fixed slider positions.
  update.report_rate_pressed = state_.fields.report_rate;
  update.brightness_slider = BrightnessSlider(state_.fields.brightness);
  update.speed_slider = SpeedSlider(state_.fields.speed);
  update.tool_pressed = state_.fields.user_tool;
  update.user_mode_selection = state_.fields.user_mode;
  update.direction_pictures = DirectionPicturesFor(state_.fields.effect, state_.fields.direction);
  update.Then(RestoreKeyPictures());
  return update;
}

bool LightingController::MarksEditable() const {
  return state_.lighting_mode && state_.per_key_support &&
         state_.effect_selection == state_.effects.PositionOf(kPerKeyEffect) &&
         MaskByteIndex(state_.fields.user_mode, 0).has_value();
}

PanelUpdate LightingController::ClickMarkButton(int button_id) {
  const std::optional<MarkButton> button = FindMarkButton(button_id);
  if (!state_.lighting_mode || !button || !button->markable) return {};
  PanelUpdate update = FillClearReleased();
  if (!MarksEditable()) return update;

  const int profile = state_.selected_profile;
  const std::optional<std::size_t> index = MaskByteIndex(state_.fields.user_mode, button->position);
  if (!index) return update;
  std::uint8_t& byte = state_.masks.page(profile)[*index];
  const bool paint = state_.fields.user_tool == kToolPaint;
  if (paint) {
    byte = static_cast<std::uint8_t>(byte | MaskBit(button->position));
  } else {
    byte = static_cast<std::uint8_t>(byte & ~MaskBit(button->position));
  }
  update.Then(FrameKeys({ButtonFrame{button_id, paint ? kMarkLitColour : kMarkDarkColour}}));
  // The byte goes out even when it did not change, so the keyboard matches the screen.
  const std::uint8_t bytes[1] = {byte};
  WriteMaskBytes(channel_, profile, static_cast<std::uint16_t>(*index), bytes);
  return update;
}

PanelUpdate LightingController::FillMask() {
  return SetWholeMask(0xFF);
}

PanelUpdate LightingController::ClearMask() {
  return SetWholeMask(0x00);
}

PanelUpdate LightingController::SetWholeMask(std::uint8_t value) {
  if (!MarksEditable()) return {};
  const bool fill = value != 0;
  PanelUpdate update;
  update.fill_clear = FillClearPictures{fill, !fill};
  std::vector<ButtonFrame> frames;
  for (const MarkButton& button : MarkButtons()) {
    frames.push_back({button.button_id, fill ? kMarkLitColour : kMarkDarkColour});
  }
  update.Then(FrameKeys(std::move(frames)));

  const int profile = state_.selected_profile;
  const std::size_t offset = static_cast<std::size_t>(state_.fields.user_mode) * kMaskSize;
  MaskPage& page = state_.masks.page(profile);
  std::fill_n(page.begin() + static_cast<std::ptrdiff_t>(offset), kMaskSize, value);
  WriteMaskBytes(channel_, profile, static_cast<std::uint16_t>(offset),
                 std::span<const std::uint8_t>(page.data() + offset, kMaskSize));
  return update;
}

std::vector<ButtonFrame> LightingController::MarkFrames() const {
  std::vector<ButtonFrame> frames;
  for (const MarkButton& button : MarkButtons()) {
    const bool lit =
        state_.masks.IsLit(state_.selected_profile, state_.fields.user_mode, button.position);
    frames.push_back({button.button_id, lit ? kMarkLitColour : kMarkDarkColour});
  }
  return frames;
}

PanelUpdate LightingController::MarkRepaint() const {
  return FrameKeys(MarkFrames());
}

}  // namespace tarvolin::lighting
