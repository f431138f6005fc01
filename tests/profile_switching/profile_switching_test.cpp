#include "profiles/profile_switching.h"

#include "device/commands.h"
#include "profiles/keyboard_profile.h"
#include "tests/profile_switching/switching_fixture.h"

namespace tarvolin::profiles {
namespace {

class ProfileSwitchingTest : public testing::SwitchingTest {
 protected:
  void SetUp() override {
    SwitchingTest::SetUp();
    model::KeyMapBlock layout{};
    ASSERT_EQ(device::ReadDefaultLayout(channel(), layout.data()), 1);
    default_key_map_.Set(layout);
  }
};

TEST_F(ProfileSwitchingTest, SwitchWithoutEditsSetsKeyboardButtonsAndIndicator) {
  EXPECT_EQ(SwitchProfile(context_, 1), 1);
  EXPECT_EQ(KeyboardProfile(), 1);
  EXPECT_EQ(app_state_.cached_profile.load(), 1);
  EXPECT_EQ(window_.calls, (std::vector<std::string>{"manager 1", "buttons"}));
  ASSERT_EQ(window_.shown_buttons.size(), model::kGKeyCount + model::kKeyButtonCount);
  EXPECT_EQ(window_.indicator, u"$Profile1");
  EXPECT_EQ(window_.tooltip, u"The current contextual  mode: $Profile1");
  EXPECT_TRUE(prompter_.messages.empty());
  // The list: default name, separator, the three files; the active one checked.
  ASSERT_EQ(list_.Entries().size(), 5u);
  EXPECT_EQ(list_.Entries()[0].text, u"<Default Profile>");
  EXPECT_TRUE(list_.Entries()[1].separator);
  EXPECT_EQ(list_.Entries()[4].text, u"$Profile2");
  EXPECT_EQ(list_.Checked(), 3u);

  // 3 and above mean profile 0.
  EXPECT_EQ(SwitchProfile(context_, 3), 1);
  EXPECT_EQ(KeyboardProfile(), 0);
  EXPECT_EQ(window_.indicator, u"$Profile0");
  EXPECT_EQ(SwitchProfile(context_, 2), 1);
  EXPECT_EQ(SwitchProfile(context_, 7), 1);
  EXPECT_EQ(KeyboardProfile(), 0);
}

TEST_F(ProfileSwitchingTest, OpenEditorRefusesEverySwitch) {
  window_.editor_open = 1;
  window_.apply_enabled = true;
  vkb().traffic().Clear();
  EXPECT_EQ(SwitchProfile(context_, 2), 0);
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0],
            u"When fast switch scene mode, you must first close the editor dialog box.");
  EXPECT_TRUE(vkb().traffic().Requests().empty());
  EXPECT_TRUE(window_.calls.empty());
  EXPECT_TRUE(window_.apply_enabled);
  EXPECT_EQ(KeyboardProfile(), 0);
}

TEST_F(ProfileSwitchingTest, YesAppliesToTheOldProfileBeforeSwitching) {
  window_.apply_enabled = true;
  prompter_.answer = PromptAnswer::kYes;
  int profile_at_apply = -1;
  window_.on_apply = [&] { profile_at_apply = KeyboardProfile(); };
  EXPECT_EQ(SwitchProfile(context_, 2), 1);
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], u"Whether to save the profile settings made?");
  EXPECT_EQ(profile_at_apply, 0);
  EXPECT_EQ(KeyboardProfile(), 2);
  // No manager update on this path; the window refreshes.
  EXPECT_EQ(window_.calls, (std::vector<std::string>{"apply", "buttons"}));
  EXPECT_EQ(window_.indicator, u"$Profile2");
}

TEST_F(ProfileSwitchingTest, NoDiscardsEditsByReloadingTheOldProfilesFile) {
  WriteProfileFileWithA(0, 0x030);
  {
    std::lock_guard lock(edited_.mutex());
    edited_.profiles->Record(0, model::SlotOfCode(0x01E)).value = 0x031;  // unapplied edit
  }
  window_.manager_unapplied = true;  // the profile manager's changes count as well
  edited_.keyboard_macro_order = model::MacroOrder{{1}};
  EXPECT_EQ(SwitchProfile(context_, 1), 1);
  // A library from a file says nothing about the keyboard's macro order.
  EXPECT_FALSE(edited_.keyboard_macro_order);
  EXPECT_EQ(prompter_.messages.size(), 1u);
  EXPECT_FALSE(window_.apply_enabled);
  EXPECT_EQ(EditedValueOfA(0), 0x030u);
  EXPECT_EQ(KeyboardProfile(), 1);

  // The old profile's file is missing: the configuration goes back to what the keyboard
  // holds, its macro included, and that profile's file is made from it.
  {
    model::EditedConfig keyboard;
    BuildDefaultProfileSet(keyboard);
    keyboard.macros.resize(1);
    keyboard.macros[0].id = 4;
    keyboard.macros[0].SetName(u"Kept");
    model::ConfigContext download{channel(), prompter_,        keyboard,
                                  applied_,  default_key_map_, app_state_};
    std::lock_guard lock(keyboard.mutex());
    ASSERT_EQ(model::ApplyConfig(download, 1), 1);
  }
  window_.apply_enabled = true;
  {
    std::lock_guard lock(edited_.mutex());
    edited_.profiles->Record(1, model::SlotOfCode(0x01E)).value = 0x031;
  }
  ASSERT_FALSE(std::filesystem::exists(data_folder_.ProfileFilePath(1)));
  EXPECT_EQ(SwitchProfile(context_, 2), 1);
  ASSERT_NE(edited_.profiles, nullptr);
  EXPECT_EQ(EditedValueOfA(1), 0u);
  ASSERT_EQ(edited_.MacroCount(), 1);
  EXPECT_EQ(edited_.macros[0].Name(), u"Kept");
  EXPECT_EQ(edited_.keyboard_macro_order, (model::MacroOrder{{1}}));
  EXPECT_TRUE(std::filesystem::exists(data_folder_.ProfileFilePath(1)));
  EXPECT_EQ(KeyboardProfile(), 2);
  EXPECT_EQ(window_.shown_buttons.size(), model::kGKeyCount + model::kKeyButtonCount);

  // Neither file nor keyboard to go back to: a usable default configuration remains.
  ASSERT_FALSE(std::filesystem::exists(data_folder_.ProfileFilePath(2)));
  window_.apply_enabled = true;
  vkb::FaultPlan refuse_reads;
  refuse_reads.refused_replies = device::kMaxAttempts;  // the first key-map read fails
  vkb().firmware().SetFaults(refuse_reads);
  EXPECT_EQ(SwitchProfile(context_, 0), 1);
  ASSERT_NE(edited_.profiles, nullptr);
  EXPECT_EQ(edited_.MacroCount(), 0);
  EXPECT_FALSE(edited_.keyboard_macro_order);
  EXPECT_EQ(KeyboardProfile(), 0);
}

TEST_F(ProfileSwitchingTest, SecondSwitchWhileTheQuestionIsOpenSwitchesWithoutAsking) {
  window_.apply_enabled = true;
  int inner_result = -1;
  int profile_after_inner = -1;
  prompter_.on_question = [&] {
    inner_result = SwitchProfile(context_, 2);
    profile_after_inner = KeyboardProfile();
  };
  prompter_.answer = PromptAnswer::kNo;
  EXPECT_EQ(SwitchProfile(context_, 1), 1);
  EXPECT_EQ(inner_result, 1);
  EXPECT_EQ(profile_after_inner, 2);
  EXPECT_EQ(prompter_.messages.size(), 1u);  // one question only
  EXPECT_EQ(KeyboardProfile(), 1);
  // The guard is down again: the next switch with edits asks.
  window_.apply_enabled = true;
  EXPECT_EQ(SwitchProfile(context_, 0), 1);
  EXPECT_EQ(prompter_.messages.size(), 2u);
}

TEST_F(ProfileSwitchingTest, FailedSwitchKeepsTheKeyButtonsAndShowsTheDefaultName) {
  ASSERT_EQ(SwitchProfile(context_, 1), 1);
  window_.calls.clear();
  // The keyboard refuses everything: the switch is reported as not done, the profile
  // manager is not told, and no key button is drawn for profile -1.
  vkb::FaultPlan faults;
  faults.refused_replies = 1000;
  vkb().firmware().SetFaults(faults);
  app_state_.cached_profile = -1;
  EXPECT_EQ(SwitchProfile(context_, 2), 0);
  vkb().firmware().SetFaults({});
  EXPECT_EQ(app_state_.cached_profile.load(), -1);
  EXPECT_TRUE(window_.calls.empty());
  EXPECT_EQ(window_.indicator, u"<Default Profile>");
  EXPECT_EQ(list_.Checked(), 0u);
}

TEST_F(ProfileSwitchingTest, ReloadRebuildsTheActiveProfilesFileFromTheKeyboard) {
  // The keyboard's profile 1 maps A to B.
  model::EditedConfig keyboard;
  BuildDefaultProfileSet(keyboard);
  keyboard.profiles->Record(1, model::SlotOfCode(0x01E)) = {};
  keyboard.profiles->Record(1, model::SlotOfCode(0x01E)).type = model::AssignmentType::kSingleKey;
  keyboard.profiles->Record(1, model::SlotOfCode(0x01E)).value = 0x030;
  // Two macros whose ids the keyboard does not keep: they come back as 1 and 2.
  keyboard.macros.resize(2);
  keyboard.macros[0].id = 5;
  keyboard.macros[1].id = 9;
  {
    model::ConfigContext download{channel(), prompter_,        keyboard,
                                  applied_,  default_key_map_, app_state_};
    std::lock_guard lock(keyboard.mutex());
    ASSERT_EQ(model::ApplyConfig(download, 1), 1);
  }
  SetActiveProfile(channel(), app_state_, 1);
  app_state_.cached_profile = -1;  // as after an attach
  window_.apply_enabled = true;

  EXPECT_EQ(ReloadActiveProfile(context_, 1), 1);
  EXPECT_TRUE(window_.apply_enabled);
  EXPECT_EQ(EditedValueOfA(1), 0x030u);
  EXPECT_TRUE(std::filesystem::exists(data_folder_.ProfileFilePath(1)));
  EXPECT_EQ(window_.calls, std::vector<std::string>{"buttons"});
  // The library read back is in the keyboard's order, which later downloads rely on.
  EXPECT_EQ(edited_.keyboard_macro_order, (model::MacroOrder{{1, 2}}));

  EXPECT_EQ(ReloadActiveProfile(context_, 0), 1);
  EXPECT_FALSE(window_.apply_enabled);

  // Keyboard silent: the default set is installed and no message is shown.
  vkb().Unplug();
  vkb().Drain();
  app_state_.cached_profile = -1;
  EXPECT_EQ(ReloadActiveProfile(context_, 0), 1);
  EXPECT_EQ(EditedValueOfA(1), 0u);
  EXPECT_FALSE(edited_.keyboard_macro_order);
  EXPECT_TRUE(prompter_.messages.empty());
  RefreshProfileIndicator(context_, 1);
  EXPECT_EQ(window_.indicator, u"<Default Profile>");
  EXPECT_EQ(window_.tooltip, u"The current contextual  mode: <Default Profile>");
}

}  // namespace
}  // namespace tarvolin::profiles
