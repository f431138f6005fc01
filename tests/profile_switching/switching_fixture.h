#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/key_buttons.h"
#include "profiles/profile_file.h"
#include "profiles/profile_switching.h"
#include "tests/platform/scratch_folder.h"
#include "tests/support/virtual_keyboard_fixture.h"

namespace tarvolin::profiles::testing {

// The main window as profile switching sees it; records what it was asked.
class FakeSwitchWindow final : public ProfileSwitchPort {
 public:
  int EditorOpenCount() const override { return editor_open; }
  bool ProfileManagerHasUnappliedChanges() const override { return manager_unapplied; }
  void ProfileManagerShowSwitched(int profile) override {
    calls.push_back("manager " + std::to_string(profile));
  }
  bool ApplyEnabled() const override { return apply_enabled; }
  void SetApplyEnabled(bool enabled) override { apply_enabled = enabled; }
  void RunApply() override {
    calls.push_back("apply");
    if (on_apply) on_apply();
  }
  void ShowKeyButtons(const std::vector<model::ButtonDescription>& buttons) override {
    calls.push_back("buttons");
    shown_buttons = buttons;
  }
  void SetProfileIndicator(std::u16string_view text, std::u16string_view tip) override {
    indicator = text;
    tooltip = tip;
  }

  int editor_open = 0;
  bool manager_unapplied = false;
  bool apply_enabled = false;
  std::function<void()> on_apply;
  std::vector<std::string> calls;
  std::vector<model::ButtonDescription> shown_buttons;
  std::u16string indicator;
  std::u16string tooltip;
};

// Answers questions as told and remembers every text; `on_question` runs while a question is
// "on screen".
class ScriptedPrompter final : public Prompter {
 public:
  PromptAnswer Ask(std::u16string_view text, PromptButtons buttons) override {
    messages.emplace_back(text);
    if (buttons == PromptButtons::kOk) return PromptAnswer::kOk;
    if (on_question) std::exchange(on_question, nullptr)();
    return answer;
  }
  PromptAnswer answer = PromptAnswer::kNo;
  std::function<void()> on_question;
  std::vector<std::u16string> messages;
};

// A configuration, a data folder and the switching context of their own, wired to a fresh
// virtual keyboard whose default layout has not been read yet.
class SwitchingTest : public tarvolin::testing::VirtualKeyboardTest {
 protected:
  void SetUp() override {
    VirtualKeyboardTest::SetUp();
    app_state_.macro_space = 100 * 128;
    std::lock_guard lock(edited_.mutex());
    BuildDefaultProfileSet(edited_);
  }

  int KeyboardProfile() { return vkb().firmware().Snapshot().settings.ActiveProfile(); }

  // A profile file whose profile `p` maps A to `value`.
  void WriteProfileFileWithA(int profile, std::uint32_t value) {
    model::EditedConfig source;
    BuildDefaultProfileSet(source);
    source.profiles->Record(profile, model::SlotOfCode(0x01E)).type =
        model::AssignmentType::kSingleKey;
    source.profiles->Record(profile, model::SlotOfCode(0x01E)).value = value;
    ASSERT_EQ(WriteProfileFile(source, 1, data_folder_.ProfileFilePath(profile)), 1);
  }

  std::uint32_t EditedValueOfA(int profile) {
    std::lock_guard lock(edited_.mutex());
    return edited_.profiles->Record(profile, model::SlotOfCode(0x01E)).value;
  }

  tarvolin::testing::ScratchFolder documents_;
  DataFolder data_folder_{documents_.Path()};
  model::EditedConfig edited_;
  model::AppliedConfig applied_;
  model::DefaultKeyMap default_key_map_;
  AppState app_state_;
  ScriptedPrompter prompter_;
  LanguageTable texts_;
  model::ConfigContext config_{channel(), prompter_,        edited_,
                               applied_,  default_key_map_, app_state_};
  ProfileContext profiles_{data_folder_, config_, texts_};
  FakeSwitchWindow window_;
  ProfileList list_;
  attachment::BankStatus bank_;
  ProfileSwitchContext context_{profiles_, window_, list_, bank_};
};

}  // namespace tarvolin::profiles::testing
