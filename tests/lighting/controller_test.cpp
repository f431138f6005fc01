#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "device/device_report.h"
#include "lighting/default_key_masks.h"
#include "lighting/lighting_change_notice.h"
#include "lighting/lighting_controller.h"
#include "lighting/mark_buttons.h"
#include "lighting/panel_control_ids.h"
#include "tests/lighting/memory_ini_store.h"
#include "tests/support/virtual_keyboard_fixture.h"

namespace tarvolin::lighting {
namespace {

using device::Command;
using device::ReportBytes;

// One request as the keyboard saw it.
struct Sent {
  Command command;
  int length;
  int address;
  std::vector<std::uint8_t> data;  // the first `length` payload bytes of a write
};

Sent Decode(const ReportBytes& r) {
  Sent sent{static_cast<Command>(r[device::kOffsetCommand]),
            r[device::kOffsetLength],
            device::ReportAddress(r),
            {}};
  if (sent.command == Command::kWriteLighting || sent.command == Command::kWriteKeyColours) {
    sent.data.assign(r.begin() + device::kOffsetPayload,
                     r.begin() + device::kOffsetPayload + sent.length);
  }
  return sent;
}

class LightingControllerTest : public tarvolin::testing::VirtualKeyboardTest {
 protected:
  void SetUp() override {
    VirtualKeyboardTest::SetUp();
    skin_.Set(u"Mode1", u"5", u"Breathing");
    language_.Set(u"LANGUAGE", u"language", u"1");
    controller_ = std::make_unique<LightingController>(
        channel(), LightingSources{skin_, language_, user_settings_});
  }

  void SetEffects(std::initializer_list<std::uint8_t> effects) {
    vkb().firmware().Edit([&](vkb::FirmwareMemory& m) {
      std::fill_n(m.settings.bytes.begin() + 16, 32, std::uint8_t{0});
      std::copy(effects.begin(), effects.end(), m.settings.bytes.begin() + 16);
    });
  }
  void SetRecordByte(int profile, int offset, std::uint8_t value) {
    vkb().firmware().Edit([&](vkb::FirmwareMemory& m) {
      m.lighting[static_cast<std::size_t>(profile * 42 + offset)] = value;
    });
  }
  // Reads with lighting mode as given and forgets the read's traffic.
  void ReadWithMode(bool lighting_mode, int profile = 0) {
    user_settings_.Set(u"KEYCOLOR", u"DengCheck", lighting_mode ? u"1" : u"0");
    controller_->SelectProfile(profile);  // leaves lighting mode
    if (lighting_mode) controller_->SetLightingMode(true);
    vkb().Drain();
    vkb().traffic().Clear();
  }
  std::vector<Sent> Traffic() {
    vkb().Drain();
    std::vector<Sent> sent;
    for (const ReportBytes& r : vkb().traffic().Requests()) sent.push_back(Decode(r));
    vkb().traffic().Clear();
    return sent;
  }
  // Expects exactly Begin, one write of `command` at `address` carrying `data`, End.
  void ExpectOneWrite(Command command, int address, std::vector<std::uint8_t> data) {
    const std::vector<Sent> sent = Traffic();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].command, Command::kBegin);
    EXPECT_EQ(sent[1].command, command);
    EXPECT_EQ(sent[1].address, address);
    EXPECT_EQ(sent[1].length, static_cast<int>(data.size()));
    EXPECT_EQ(sent[1].data, data);
    EXPECT_EQ(sent[2].command, Command::kEnd);
  }
  vkb::FirmwareMemory Memory() { return vkb().firmware().Snapshot(); }

  testing::MemoryIniStore skin_, language_, user_settings_;
  std::unique_ptr<LightingController> controller_;
};

TEST_F(LightingControllerTest, ReadSequenceAndDecodedState) {
  SetEffects({5, 0, 7, 254});
  SetRecordByte(1, 15, 7);     // report rate out of range
  SetRecordByte(1, 16, 0xFF);  // tool as the reset writes it
  SetRecordByte(1, 1, 2);
  vkb().firmware().Edit([](vkb::FirmwareMemory& m) { m.key_colours[180 + 7] = 0x5A; });
  user_settings_.Set(u"KEYCOLOR", u"DengCheck", u"1");
  ASSERT_EQ(controller_->SelectProfile(1).effect_list->size(), 3u);

  const LightingState& state = controller_->state();
  EXPECT_EQ(state.selected_profile, 1);
  EXPECT_EQ(state.effects.PositionOf(254), 2);
  EXPECT_TRUE(state.per_key_support);
  EXPECT_EQ(state.fields.report_rate, 3);
  EXPECT_EQ(state.fields.user_tool, kToolPaint);
  EXPECT_EQ(state.fields.brightness, 2);
  EXPECT_EQ(state.masks.page(1)[7], 0x5A);
  EXPECT_EQ(state.records[2][0], 5);  // the other records are kept as well
  EXPECT_FALSE(state.lighting_mode);  // the profile button left lighting mode
  EXPECT_EQ(user_settings_.Read(u"KEYCOLOR", u"DengCheck", u""), u"0");

  // The read itself: settings, Begin, masks of the selected profile, three records, End.
  vkb().traffic().Clear();
  EXPECT_EQ(controller_->ReadLighting(), kReadDone);
  const std::vector<Sent> sent = Traffic();
  ASSERT_EQ(sent.size(), 10u);
  EXPECT_EQ(sent[0].command, Command::kReadSettings);
  EXPECT_EQ(sent[1].command, Command::kBegin);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(sent[2 + i].command, Command::kReadKeyColours);
    EXPECT_EQ(sent[2 + i].length, 54);
    EXPECT_EQ(sent[2 + i].address, 180 + 54 * i);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(sent[6 + i].command, Command::kReadLighting);
    EXPECT_EQ(sent[6 + i].length, 56);
    EXPECT_EQ(sent[6 + i].address, 42 * i);
  }
  EXPECT_EQ(sent[9].command, Command::kEnd);

  // Without 254 in the list no masks are read and per-key marking is off.
  SetEffects({1, 2});
  EXPECT_EQ(controller_->ReadLighting(), kReadDone);
  EXPECT_FALSE(controller_->state().per_key_support);
  EXPECT_EQ(Traffic().size(), 6u);
}

TEST_F(LightingControllerTest, RefreshDescribesThePanel) {
  SetEffects({5, 0, 7, 254});
  SetRecordByte(0, 0, 254);
  SetRecordByte(0, 2, 4);  // speed 4 -> slider position 0
  SetRecordByte(0, 3, 1);
  vkb().firmware().Edit([](vkb::FirmwareMemory& m) {
    std::fill_n(m.key_colours.begin() + 18, 18, std::uint8_t{0});
    m.key_colours[18 + 1] = 0x04;  // Q, LED position 10: byte 1, bit 2
  });
  ReadWithMode(true);
  const PanelUpdate update = controller_->Refresh();
  ASSERT_TRUE(update.effect_list.has_value());
  EXPECT_EQ((*update.effect_list)[0].name, u"Breathing");
  EXPECT_EQ((*update.effect_list)[1].name, u"1");
  EXPECT_EQ(update.effect_selection, 2);
  EXPECT_EQ(update.speed_slider, (SliderView{0, u"5.bmp"}));
  EXPECT_EQ(update.lamp_picture, u"dengdown.bmp");
  EXPECT_EQ(update.user_mode_selection, 1);
  ASSERT_TRUE(update.keys.has_value());
  EXPECT_TRUE(update.keys->restore_normal);
  ASSERT_EQ(update.keys->frames.size(), MarkButtons().size());
  for (const ButtonFrame& frame : update.keys->frames) {
    const bool q = frame.button_id == 1044;  // Q, LED position 10
    EXPECT_EQ(frame.colour, q ? kMarkLitColour : kMarkDarkColour) << frame.button_id;
  }
  const auto visible = std::count_if(update.visibility->begin(), update.visibility->end(),
                                     [](const ControlVisibility& v) { return v.visible; });
  EXPECT_EQ(visible, 14);
}

TEST_F(LightingControllerTest, SlidersWriteOnlyChanges) {
  ReadWithMode(false, 2);
  const std::uint8_t brightness = controller_->state().fields.brightness;
  const int new_brightness = brightness == 1 ? 2 : 1;
  EXPECT_EQ(controller_->MoveSlider(control::kBrightnessSlider, new_brightness).brightness_slider,
            BrightnessSlider(new_brightness));
  ExpectOneWrite(Command::kWriteLighting, 85, {static_cast<std::uint8_t>(new_brightness)});
  EXPECT_EQ(Memory().lighting[85], new_brightness);
  controller_->MoveBrightnessSlider(new_brightness);
  EXPECT_TRUE(Traffic().empty());

  SetRecordByte(0, 2, 0);
  ReadWithMode(false, 0);
  controller_->MoveSlider(control::kSpeedSlider, 1);
  ExpectOneWrite(Command::kWriteLighting, 2, {3});
  EXPECT_EQ(Memory().lighting[2], 3);
  EXPECT_EQ(controller_->state().fields.speed, 3);
  controller_->MoveSlider(control::kSpeedSlider, 1);
  EXPECT_TRUE(Traffic().empty());

  // Positions a slider cannot have and other controls change nothing.
  controller_->MoveSlider(control::kSpeedSlider, 5);
  controller_->MoveSlider(control::kBrightnessSlider, -1);
  controller_->MoveSlider(1146, 2);
  EXPECT_TRUE(Traffic().empty());
  EXPECT_EQ(controller_->state().fields.speed, 3);
}

TEST_F(LightingControllerTest, ReportRateDirectionAndToolAreAlwaysWritten) {
  SetRecordByte(1, 15, 2);
  ReadWithMode(false, 1);
  const PanelUpdate rate = controller_->ChooseReportRate(2);  // button 3, already 2
  EXPECT_EQ(rate.report_rate_pressed, 2);
  ExpectOneWrite(Command::kWriteLighting, 42 + 15, {2});
  controller_->ChooseReportRate(0);
  ExpectOneWrite(Command::kWriteLighting, 57, {0});
  EXPECT_EQ(Memory().lighting[57], 0);
  EXPECT_TRUE(controller_->ChooseReportRate(4).report_rate_pressed == std::nullopt);
  EXPECT_TRUE(Traffic().empty());

  SetRecordByte(1, 0, 15);
  ReadWithMode(false, 1);
  PanelUpdate dir = controller_->ChooseDirection(kDirectionRight);
  ExpectOneWrite(Command::kWriteLighting, 46, {0x00});
  EXPECT_EQ(dir.direction_pictures, (DirectionPictures{u"upup.bmp", u"downdown.bmp"}));
  controller_->ChooseDirection(kDirectionLeft);
  ExpectOneWrite(Command::kWriteLighting, 46, {0xFF});
  EXPECT_EQ(Memory().lighting[46], 0xFF);
  controller_->ChooseDirection(0x12);
  EXPECT_TRUE(Traffic().empty());

  EXPECT_EQ(controller_->ChooseTool(kToolErase).tool_pressed, kToolErase);
  ExpectOneWrite(Command::kWriteLighting, 58, {1});
  controller_->ChooseTool(kToolPaint);
  ExpectOneWrite(Command::kWriteLighting, 58, {0});
  EXPECT_EQ(Memory().lighting[58], 0);
}

TEST_F(LightingControllerTest, UserModeIsWrittenOnlyInLightingMode) {
  SetEffects({5, 254});
  SetRecordByte(0, 0, 254);
  ReadWithMode(false);
  PanelUpdate off = controller_->ChooseUserMode(2);
  EXPECT_EQ(controller_->state().fields.user_mode, 2);
  EXPECT_EQ(off.fill_clear, (FillClearPictures{false, false}));
  EXPECT_FALSE(off.keys.has_value());
  EXPECT_TRUE(Traffic().empty());

  ReadWithMode(true);
  PanelUpdate on = controller_->ChooseUserMode(3);
  ExpectOneWrite(Command::kWriteLighting, 3, {3});
  EXPECT_EQ(Memory().lighting[3], 3);
  ASSERT_TRUE(on.keys.has_value());
  EXPECT_EQ(on.keys->frames.size(), MarkButtons().size());
  controller_->ChooseUserMode(4);  // the list has four entries
  EXPECT_TRUE(Traffic().empty());
  EXPECT_EQ(controller_->state().fields.user_mode, 3);
}

TEST_F(LightingControllerTest, EffectChanges) {
  SetEffects({5, 0, 7, 254, 17, 40});
  ReadWithMode(true);
  PanelUpdate per_key = controller_->SelectEffectPosition(2);
  ExpectOneWrite(Command::kWriteLighting, 0, {254});
  EXPECT_EQ(Memory().lighting[0], 254);
  EXPECT_EQ(controller_->state().fields.effect, 254);
  EXPECT_EQ(per_key.keys->frames.size(), MarkButtons().size());
  EXPECT_TRUE(per_key.keys->restore_normal);
  EXPECT_EQ(per_key.direction_placement->label_key, u"CONTROL_BLFXStatic");

  PanelUpdate seventeen = controller_->SelectEffectPosition(3);
  ExpectOneWrite(Command::kWriteLighting, 0, {17});
  EXPECT_TRUE(seventeen.keys->restore_normal);
  EXPECT_TRUE(seventeen.keys->frames.empty());

  // An effect the program does not know is not sent and hides the whole panel.
  PanelUpdate unknown = controller_->SelectEffectPosition(4);
  EXPECT_TRUE(Traffic().empty());
  EXPECT_EQ(Memory().lighting[0], 17);
  EXPECT_EQ(controller_->state().fields.effect, 17);
  for (const ControlVisibility& v : *unknown.visibility) {
    const bool always = v.control_id == 1204 || v.control_id == 1171 || v.control_id == 1167;
    EXPECT_EQ(v.visible, always) << v.control_id;
  }
  EXPECT_TRUE(controller_->SelectEffectPosition(9).visibility == std::nullopt);
  EXPECT_TRUE(Traffic().empty());
}

TEST_F(LightingControllerTest, LightingModeSwitchKeepsTheSettingFile) {
  SetEffects({5, 254});
  SetRecordByte(0, 0, 254);
  ReadWithMode(false);
  PanelUpdate on = controller_->ToggleLightingMode();
  EXPECT_EQ(user_settings_.Read(u"KEYCOLOR", u"DengCheck", u""), u"1");
  EXPECT_EQ(on.lamp_picture, u"dengdown.bmp");
  EXPECT_TRUE(on.keys->restore_normal);
  EXPECT_EQ(on.keys->frames.size(), MarkButtons().size());  // effect 254 shows its marks
  PanelUpdate off = controller_->ToggleLightingMode();
  EXPECT_EQ(user_settings_.Read(u"KEYCOLOR", u"DengCheck", u""), u"0");
  EXPECT_EQ(off.lamp_picture, u"dengup.bmp");
  EXPECT_TRUE(off.keys->redraw_assignments);
  EXPECT_TRUE(off.keys->frames.empty());
  EXPECT_TRUE(Traffic().empty());  // the setting is the computer's, not the keyboard's
  // A read brings back what the file says.
  user_settings_.Set(u"KEYCOLOR", u"DengCheck", u"1");
  controller_->ReadLighting();
  EXPECT_TRUE(controller_->state().lighting_mode);
}

TEST_F(LightingControllerTest, MarkingKeys) {
  SetEffects({5, 254});
  SetRecordByte(1, 0, 254);
  SetRecordByte(1, 3, 2);  // user mode 2
  SetRecordByte(1, 16, 0);
  ReadWithMode(true, 1);
  const std::uint8_t before = Memory().key_colours[221];

  // Fn in user mode 2 of profile 1: bit 5 of byte 41, address 180 + 41.
  PanelUpdate painted = controller_->ClickMarkButton(kFnButton);
  ExpectOneWrite(Command::kWriteKeyColours, 221, {static_cast<std::uint8_t>(before | 0x20)});
  EXPECT_EQ(Memory().key_colours[221], before | 0x20);
  EXPECT_EQ(controller_->state().masks.page(1)[41], before | 0x20);
  EXPECT_EQ(painted.fill_clear, (FillClearPictures{false, false}));
  ASSERT_EQ(painted.keys->frames.size(), 1u);
  EXPECT_EQ(painted.keys->frames[0], (ButtonFrame{kFnButton, kMarkLitColour}));

  controller_->ChooseTool(kToolErase);
  Traffic();
  controller_->ClickMarkButton(kFnButton);
  ExpectOneWrite(Command::kWriteKeyColours, 221, {static_cast<std::uint8_t>(before & ~0x20)});
  // Erasing a clear bit writes the unchanged byte again.
  PanelUpdate again = controller_->ClickMarkButton(kFnButton);
  ExpectOneWrite(Command::kWriteKeyColours, 221, {static_cast<std::uint8_t>(before & ~0x20)});
  EXPECT_EQ(again.keys->frames[0].colour, kMarkDarkColour);

  // G6..G9 never change a mask; unknown buttons do nothing.
  EXPECT_FALSE(controller_->ClickMarkButton(1141).fill_clear.has_value());
  EXPECT_FALSE(controller_->ClickMarkButton(1016).fill_clear.has_value());
  EXPECT_TRUE(Traffic().empty());

  // With effect 5 selected a click only releases the fill and clear pictures.
  controller_->SelectEffectPosition(0);
  Traffic();
  PanelUpdate effect5 = controller_->ClickMarkButton(1058);
  EXPECT_EQ(effect5.fill_clear, (FillClearPictures{false, false}));
  EXPECT_FALSE(effect5.keys.has_value());
  EXPECT_TRUE(Traffic().empty());
}

TEST_F(LightingControllerTest, AUserModeBeyondTheTenMasksEditsNothing) {
  SetEffects({254});
  SetRecordByte(0, 0, 254);
  SetRecordByte(0, 3, 12);  // would address bytes past the profile's 180
  ReadWithMode(true);
  EXPECT_EQ(controller_->state().fields.user_mode, 12);
  EXPECT_FALSE(controller_->ClickMarkButton(1058).keys.has_value());
  EXPECT_FALSE(controller_->FillMask().keys.has_value());
  EXPECT_TRUE(Traffic().empty());
  for (const ButtonFrame& f : controller_->MarkFrames()) EXPECT_EQ(f.colour, kMarkDarkColour);
  // Choosing a mode from the list makes marking possible again.
  controller_->ChooseUserMode(0);
  Traffic();
  EXPECT_TRUE(controller_->ClickMarkButton(1058).keys.has_value());
  ExpectOneWrite(Command::kWriteKeyColours, 1,
                 {static_cast<std::uint8_t>(Memory().key_colours[1])});
  EXPECT_EQ(Memory().key_colours[1] & 0x08, 0x08);  // A, LED position 11
}

TEST_F(LightingControllerTest, FillAndClearThenRepaint) {
  SetEffects({254});
  SetRecordByte(2, 0, 254);
  SetRecordByte(2, 3, 1);
  ReadWithMode(true, 2);

  PanelUpdate fill = controller_->FillMask();
  EXPECT_EQ(fill.fill_clear, (FillClearPictures{true, false}));
  ExpectOneWrite(Command::kWriteKeyColours, 360 + 18, std::vector<std::uint8_t>(18, 0xFF));
  const auto memory = Memory();
  for (int i = 0; i < 18; ++i) EXPECT_EQ(memory.key_colours[378 + i], 0xFF);
  EXPECT_EQ(memory.key_colours[377], kDefaultMaskPage[17]);  // mask 0 untouched
  for (const ButtonFrame& f : controller_->MarkFrames()) EXPECT_EQ(f.colour, kMarkLitColour);
  EXPECT_EQ(fill.keys->frames.size(), 115u);

  PanelUpdate clear = controller_->ClearMask();
  EXPECT_EQ(clear.fill_clear, (FillClearPictures{false, true}));
  ExpectOneWrite(Command::kWriteKeyColours, 378, std::vector<std::uint8_t>(18, 0x00));
  for (const ButtonFrame& f : controller_->MarkFrames()) EXPECT_EQ(f.colour, kMarkDarkColour);

  // Outside lighting mode nothing is marked.
  controller_->SetLightingMode(false);
  EXPECT_FALSE(controller_->FillMask().keys.has_value());
  EXPECT_FALSE(controller_->ClickMarkButton(1058).keys.has_value());
  EXPECT_TRUE(Traffic().empty());
}

TEST_F(LightingControllerTest, ResetWritesTheDefaultRecordAndMasks) {
  SetEffects({5, 0, 7, 254});
  vkb().firmware().Edit([](vkb::FirmwareMemory& m) {
    for (std::size_t i = 42; i < 84; ++i) m.lighting[i] = 0x77;
    for (std::size_t i = 180; i < 360; ++i) m.key_colours[i] = 0xAA;
  });
  SetRecordByte(1, 0, 254);
  ReadWithMode(false, 1);
  EXPECT_FALSE(controller_->OnRestoreDefaults().effect_selection.has_value());
  EXPECT_TRUE(Traffic().empty());

  controller_->SetLightingMode(true);
  PanelUpdate reset = controller_->OnRestoreDefaults();
  const std::vector<Sent> sent = Traffic();
  ASSERT_EQ(sent.size(), 12u);
  EXPECT_EQ(sent[0].command, Command::kBegin);
  EXPECT_EQ(sent[1].command, Command::kWriteLighting);
  EXPECT_EQ(sent[1].address, 42);
  EXPECT_EQ(sent[1].data, std::vector<std::uint8_t>{5});
  EXPECT_EQ(sent[2].command, Command::kEnd);
  EXPECT_EQ(sent[3].command, Command::kBegin);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(sent[4 + i].command, Command::kWriteKeyColours);
    EXPECT_EQ(sent[4 + i].address, 180 + 45 * i);
    EXPECT_EQ(sent[4 + i].length, 45);
    EXPECT_TRUE(std::equal(sent[4 + i].data.begin(), sent[4 + i].data.end(),
                           kDefaultMaskPage.begin() + 45 * i));
  }
  EXPECT_EQ(sent[8].command, Command::kEnd);
  EXPECT_EQ(sent[9].command, Command::kBegin);
  EXPECT_EQ(sent[10].command, Command::kWriteLighting);
  EXPECT_EQ(sent[10].address, 42);
  EXPECT_EQ(sent[10].length, 35);
  EXPECT_EQ(sent[11].command, Command::kEnd);

  const auto memory = Memory();
  for (std::size_t i = 0; i < 35; ++i) EXPECT_EQ(memory.lighting[42 + i], kDefaultRecordBytes[i]);
  for (std::size_t i = 35; i < 42; ++i) EXPECT_EQ(memory.lighting[42 + i], 0x77);  // untouched
  for (std::size_t i = 0; i < 180; ++i) EXPECT_EQ(memory.key_colours[180 + i], kDefaultMaskPage[i]);

  const LightingFields& fields = controller_->state().fields;
  EXPECT_EQ(fields.effect, 5);
  EXPECT_EQ(fields.user_tool, kToolPaint);
  EXPECT_EQ(reset.effect_selection, 0);
  EXPECT_EQ(reset.report_rate_pressed, 0);
  EXPECT_EQ(reset.brightness_slider, (SliderView{3, u"3.bmp"}));
  EXPECT_EQ(reset.speed_slider, (SliderView{3, u"8.bmp"}));
  EXPECT_EQ(reset.user_mode_selection, 0);
  EXPECT_TRUE(reset.keys->restore_normal);
  EXPECT_TRUE(reset.keys->frames.empty());
}

TEST_F(LightingControllerTest, KeyboardChangeLeadsToAFreshRead) {
  ReadWithMode(false);
  int timers = 0;
  LightingChangeNotice notice([&timers] { ++timers; });
  channel().SetEventHook([&notice](std::uint16_t code) { notice.OnKeyboardEvent(code); });

  vkb().SendEvent(0x02FF);  // a bank switch is not a lighting change
  vkb().Drain();
  EXPECT_FALSE(notice.TakePending());

  SetRecordByte(0, 1, 0);
  SetRecordByte(0, 0, 9);
  vkb().SendEvent(kLightingChangedEvent);
  vkb().Drain();
  EXPECT_EQ(timers, 1);
  ASSERT_TRUE(notice.TakePending());
  EXPECT_FALSE(notice.TakePending());
  channel().SetEventHook({});

  const PanelUpdate update = controller_->OnLightingChangedTimer();
  EXPECT_EQ(controller_->state().fields.effect, 9);
  EXPECT_EQ(controller_->state().fields.brightness, 0);
  EXPECT_EQ(update.effect_selection, controller_->state().effects.PositionOf(9));
  EXPECT_EQ(update.brightness_slider, (SliderView{0, u"0.bmp"}));
}

TEST_F(LightingControllerTest, AttachAdoptsTheActiveProfile) {
  vkb().firmware().Edit([](vkb::FirmwareMemory& m) { m.settings.SetActiveProfile(2); });
  SetRecordByte(2, 1, 1);
  controller_->OnKeyboardAttached();
  EXPECT_EQ(controller_->state().selected_profile, 2);
  EXPECT_EQ(controller_->state().fields.brightness, 1);
  controller_->SelectProfile(3);  // no such profile
  EXPECT_EQ(controller_->state().selected_profile, 2);
}

TEST_F(LightingControllerTest, WithoutAKeyboardWritesReturnAtOnceAndTheChoiceStays) {
  SetEffects({5, 254});
  SetRecordByte(0, 0, 254);
  ReadWithMode(true);
  const LightingState before = controller_->state();
  vkb().Unplug();
  vkb().Drain();
  vkb().traffic().Clear();

  const auto start = std::chrono::steady_clock::now();
  controller_->MoveBrightnessSlider(before.fields.brightness == 4 ? 0 : 4);
  controller_->MoveSpeedSlider(before.fields.speed == 0 ? 0 : 4);
  controller_->ChooseReportRate(3);
  controller_->ChooseTool(kToolErase);
  controller_->ClickMarkButton(1058);
  controller_->FillMask();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::milliseconds(500));  // no reply waits, only End's pauses
  EXPECT_TRUE(Traffic().empty());

  const LightingState& after = controller_->state();
  EXPECT_EQ(after.fields.brightness, before.fields.brightness == 4 ? 0 : 4);
  EXPECT_EQ(after.fields.report_rate, 3);
  EXPECT_EQ(after.fields.user_tool, kToolErase);
  for (std::size_t i = 0; i < 18; ++i) EXPECT_EQ(after.masks.page(0)[i], 0xFF);

  // A read without the keyboard fails and leaves the choice in place, with no effects listed.
  EXPECT_EQ(controller_->ReadLighting(), kReadNoSettings);
  EXPECT_TRUE(controller_->state().effects.empty());
  EXPECT_FALSE(controller_->state().per_key_support);
  EXPECT_EQ(controller_->state().fields.report_rate, 3);
  vkb().Plug();
  vkb().Drain();
}

}  // namespace
}  // namespace tarvolin::lighting
