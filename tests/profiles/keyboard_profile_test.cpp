#include "profiles/keyboard_profile.h"

#include <gtest/gtest.h>

#include "device/commands.h"
#include "device/device_report.h"
#include "model/key_buttons.h"
#include "model/key_map.h"
#include "profile_test_support.h"
#include "profiles/import_export.h"
#include "profiles/profile_content.h"
#include "profiles/profile_file.h"
#include "tests/support/virtual_keyboard_fixture.h"

namespace tarvolin::profiles {
namespace {

using namespace testing;
using model::AssignmentType;
using model::kPress;
using model::kRelease;
using model::SlotOfCode;

// A model and a data folder of their own, wired to the virtual keyboard as after an attach.
class KeyboardProfileTest : public tarvolin::testing::VirtualKeyboardTest {
 protected:
  void SetUp() override {
    VirtualKeyboardTest::SetUp();
    model::KeyMapBlock layout{};
    ASSERT_EQ(device::ReadDefaultLayout(channel(), layout.data()), 1);
    default_key_map_.Set(layout);
    device::SettingsBlock settings;
    ASSERT_EQ(device::ReadSettings(channel(), settings), 1);
    app_state_.macro_space = settings.MacroSpaceBytes();
    vkb().traffic().Clear();
    edited_.profiles = std::make_unique<model::ProfileSet>();
    for (int p = 0; p < model::kProfileCount; ++p) {
      model::ResetProfileAssignments(edited_.profiles->Profile(p));
    }
  }

  std::vector<device::Command> Commands() {
    std::vector<device::Command> commands;
    for (const auto& request : vkb().traffic().Requests()) {
      commands.push_back(static_cast<device::Command>(request[device::kOffsetCommand]));
    }
    return commands;
  }

  void RefuseEverything() {
    vkb::FaultPlan faults;
    faults.refused_replies = 1000;
    vkb().firmware().SetFaults(faults);
  }

  ScratchFolder documents_;
  DataFolder data_folder_{documents_.Path()};
  model::EditedConfig edited_;
  model::AppliedConfig applied_;
  model::DefaultKeyMap default_key_map_;
  AppState app_state_;
  RecordingPrompter prompter_;
  LanguageTable texts_;
  model::ConfigContext config_{channel(), prompter_,        edited_,
                               applied_,  default_key_map_, app_state_};
  ProfileContext context_{data_folder_, config_, texts_};
};

TEST_F(KeyboardProfileTest, ReadingBackAnApplyReproducesAssignmentsAndMacros) {
  model::ProfileSet& set = *edited_.profiles;
  set.Record(0, SlotOfCode(0x01E)) = MakeRecord(AssignmentType::kSingleKey, 0x030);  // A -> B
  set.Record(0, SlotOfCode(0x01D)) = MakeRecord(AssignmentType::kSingleKey, 0x15C);  // Ctrl -> RWin
  set.Record(0, SlotOfCode(0x03B)) = MakeRecord(AssignmentType::kMacro, 9, 3);       // F1: "Second"
  set.Record(1, SlotOfCode(0x03C)) = MakeRecord(AssignmentType::kMacro, 4, 1);       // F2: "First"
  set.Record(1, SlotOfCode(0x039)) = MakeRecord(AssignmentType::kStopMacro);
  set.Record(1, model::SlotOfGKey(2, 0)) =
      MakeRecord(AssignmentType::kFunction, 6, model::GSlotTag(model::SlotOfGKey(2, 0)));
  set.Record(2, SlotOfCode(0x01C)) = MakeRecord(AssignmentType::kMedia, 16);  // Enter: Calculator
  set.Record(2, SlotOfCode(0x02C)) = MakeRecord(AssignmentType::kDisabled);
  set.Record(2, SlotOfCode(0x02D)) = MakeRecord(AssignmentType::kLaunchProgram);  // keeps default
  set.Record(2, SlotOfCode(0x02E)) = MakeRecord(AssignmentType::kTextBlock);      // disables
  set.Record(3, SlotOfCode(0x01E)) = MakeRecord(AssignmentType::kDisabled);       // never sent
  edited_.macros = {
      MakeMacro(4, u"First", {{50, 0x01E, kPress}, {0, 0x01E, kRelease}}, 2),
      MakeMacro(9, u"Second", {{12345, 0x11D, kPress}, {7, 0x130, kPress}, {0, 0x11D, kRelease}},
                5),
  };
  ASSERT_EQ(model::ApplyConfig(config_, 1), 1);

  const auto path = data_folder_.ProfileFilePath(0);
  ASSERT_EQ(ReadProfileFromKeyboard(config_, path), 1);
  ProfileFileLoad load = LoadProfileFile(path);
  ASSERT_TRUE(load.Loaded());
  EXPECT_EQ(CheckProfileFile(path).result, 1);
  const model::ProfileSet& back = *load.content.set;

  // The header for two macros and no strings; the descriptor constants.
  const model::ProfileSet fresh = DefaultProfileSet();
  EXPECT_EQ(back.MacroCount(), 2);
  EXPECT_EQ(back.StringBytes(), 0u);
  EXPECT_TRUE(std::equal(back.header.begin() + 32, back.header.end(), fresh.header.begin() + 32));

  // Every hardware profile as applied, macro ids renumbered by position (9 -> 2, 4 -> 1).
  model::ProfileSet expected = set;
  expected.Record(0, SlotOfCode(0x03B)) = MakeRecord(AssignmentType::kMacro, 2);
  expected.Record(1, SlotOfCode(0x03C)) = MakeRecord(AssignmentType::kMacro, 1);
  expected.Record(2, SlotOfCode(0x02D)) = MakeRecord(AssignmentType::kDefault);
  expected.Record(2, SlotOfCode(0x02E)) = MakeRecord(AssignmentType::kDisabled);
  for (int p = 0; p < model::kHardwareProfileCount; ++p) {
    for (std::size_t slot = 0; slot < model::kSlotsPerProfile; ++slot) {
      EXPECT_EQ(back.Record(p, slot), expected.Record(p, slot)) << p << "/" << slot;
    }
  }
  for (std::size_t slot = 0; slot < model::kSlotsPerProfile; ++slot) {
    EXPECT_EQ(back.Record(3, slot), model::KeyAssignment{}) << slot;
  }

  // The macros with their names, steps (delays in 10 ms units) and play counts.
  const auto& macros = load.content.macros;
  ASSERT_EQ(macros.size(), 2u);
  EXPECT_EQ(macros[0].id, 1);
  EXPECT_EQ(macros[0].Name(), u"First");
  EXPECT_EQ(macros[0].play_count, 2);
  ASSERT_EQ(macros[0].action_count, 2);
  EXPECT_EQ(macros[0].actions[0], (model::MacroAction{50, 0x01E, kPress}));
  EXPECT_EQ(macros[0].actions[1], (model::MacroAction{0, 0x01E, kRelease}));
  EXPECT_EQ(macros[1].id, 2);
  EXPECT_EQ(macros[1].Name(), u"Second");
  EXPECT_EQ(macros[1].play_count, 5);
  ASSERT_EQ(macros[1].action_count, 3);
  EXPECT_EQ(macros[1].actions[0], (model::MacroAction{12340, 0x11D, kPress}));
  EXPECT_EQ(macros[1].actions[1], (model::MacroAction{0, 0x130, kPress}));
  EXPECT_EQ(macros[1].actions[2], (model::MacroAction{0, 0x11D, kRelease}));
  EXPECT_EQ(std::filesystem::file_size(path), 32832u + 2 * 16512u);
}

TEST_F(KeyboardProfileTest, MacrosWithoutRoomForNamesComeBackWithGeneratedNames) {
  edited_.macros = {MakeMacro(1, u"LongName", {{10, 0x01E, kPress}}),
                    MakeMacro(2, u"Other", {{10, 0x030, kPress}})};
  app_state_.macro_space = 16 + 4 + 2 * 8;  // the image without names, exactly
  ASSERT_EQ(model::ApplyConfig(config_, 1), 1);
  const auto path = data_folder_.ProfileFilePath(0);
  ASSERT_EQ(ReadProfileFromKeyboard(config_, path), 1);
  ProfileFileLoad load = LoadProfileFile(path);
  ASSERT_TRUE(load.Loaded());
  ASSERT_EQ(load.content.macros.size(), 2u);
  EXPECT_EQ(load.content.macros[0].Name(), u"Macro1");
  EXPECT_EQ(load.content.macros[1].Name(), u"Macro2");
}

TEST_F(KeyboardProfileTest, FactoryKeyboardGivesABareSetAndTheActiveIndexDecides) {
  const auto path = data_folder_.ProfileFilePath(1);
  EXPECT_TRUE(std::filesystem::is_directory(documents_.Path() / "Tarvolin"));
  EXPECT_EQ(path.filename().u16string(), u"$Profile1");

  ASSERT_EQ(ReadProfileFromKeyboard(config_, path), 1);
  const Bytes bytes = ReadFile(path);
  ASSERT_EQ(bytes.size(), 32832u);
  // Every hardware profile reads back as its reset (G tags), profile 3 all zero.
  model::ProfileSet expected = DefaultProfileSet();
  for (int p = 0; p < 3; ++p) model::ResetProfileAssignments(expected.Profile(p));
  EXPECT_EQ(std::memcmp(bytes.data(), &expected, 32832), 0);

  app_state_.cached_profile = 3;  // still 0..3
  EXPECT_EQ(ReadProfileFromKeyboard(config_, documents_.File("three")), 1);
  app_state_.cached_profile = 4;
  EXPECT_EQ(ReadProfileFromKeyboard(config_, documents_.File("four")), 0);
  EXPECT_FALSE(std::filesystem::exists(documents_.File("four")));

  // Undetermined and the keyboard not answering: fails and leaves the old file.
  app_state_.cached_profile = -1;
  RefuseEverything();
  EXPECT_EQ(ReadProfileFromKeyboard(config_, path), 0);
  EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(KeyboardProfileTest, AFailedReadOrDamagedImageWritesNothing) {
  const auto path = data_folder_.ProfileFilePath(0);
  WriteFile(path, Bytes{1, 2, 3});
  app_state_.cached_profile = 0;
  // A macro area that claims to be an image but is too short for its own table.
  vkb().firmware().Edit([](vkb::FirmwareMemory& m) {
    m.macros[0] = 0xAA;
    m.macros[1] = 0x55;
    m.macros[2] = 16;
    m.macros[4] = 5;
  });
  EXPECT_EQ(ReadProfileFromKeyboard(config_, path), 0);
  EXPECT_EQ(ReadFile(path), (Bytes{1, 2, 3}));
  RefuseEverything();
  EXPECT_EQ(ReadProfileFromKeyboard(config_, path), 0);
  EXPECT_EQ(ReadFile(path), (Bytes{1, 2, 3}));
}

TEST_F(KeyboardProfileTest, SetActiveProfileKeepsTheBlockAndFollowsTheWrite) {
  const auto before = vkb().firmware().Snapshot().settings;
  SetActiveProfile(channel(), app_state_, -1);
  EXPECT_TRUE(vkb().traffic().Requests().empty());

  SetActiveProfile(channel(), app_state_, 2);
  EXPECT_EQ(Commands(),
            (std::vector{device::Command::kReadSettings, device::Command::kWriteSettings}));
  auto after = vkb().firmware().Snapshot().settings;
  EXPECT_EQ(after.ActiveProfile(), 2);
  after.SetActiveProfile(before.ActiveProfile());
  EXPECT_EQ(after.bytes, before.bytes);
  EXPECT_EQ(app_state_.cached_profile.load(), 2);
  EXPECT_EQ(model::QueryActiveProfile(channel(), app_state_), 2);

  RefuseEverything();
  SetActiveProfile(channel(), app_state_, 1);  // the read fails: nothing changes
  EXPECT_EQ(app_state_.cached_profile.load(), 2);

  // The read is answered, the write refused: the cache is cleared.
  vkb().firmware().SetFaults({});
  vkb().SetAfterRequestHook([this](std::uint8_t command) {
    if (command == static_cast<std::uint8_t>(device::Command::kReadSettings)) RefuseEverything();
  });
  SetActiveProfile(channel(), app_state_, 1);
  vkb().SetAfterRequestHook({});
  vkb().firmware().SetFaults({});
  EXPECT_EQ(app_state_.cached_profile.load(), -1);
  EXPECT_EQ(vkb().firmware().Snapshot().settings.ActiveProfile(), 2);
}

TEST_F(KeyboardProfileTest, SaveActiveProfileFileRewritesOnlyAnExistingFile) {
  edited_.profiles->Record(0, SlotOfCode(0x01E)) = MakeRecord(AssignmentType::kDisabled);
  const auto path = data_folder_.ProfileFilePath(0);
  EXPECT_EQ(SaveActiveProfileFile(context_, 1), 0);
  EXPECT_FALSE(std::filesystem::exists(path));

  ASSERT_EQ(BuildDefaultProfileSet(path), 1);
  EXPECT_EQ(SaveActiveProfileFile(context_, 1), 1);
  model::EditedConfig loaded;
  ASSERT_EQ(ReadProfileFile(loaded, path), 1);
  EXPECT_EQ(loaded.profiles->Record(0, SlotOfCode(0x01E)).type, AssignmentType::kDisabled);

  app_state_.cached_profile = -1;
  RefuseEverything();
  EXPECT_EQ(SaveActiveProfileFile(context_, 0), 0);
}

TEST_F(KeyboardProfileTest, ApplysSaveCreatesTheActiveProfilesMissingFile) {
  // The keyboard was switched to profile 2 after the attach wrote only $Profile0's file.
  app_state_.cached_profile = 2;
  edited_.profiles->Record(2, SlotOfCode(0x01E)) = MakeRecord(AssignmentType::kDisabled);
  const auto path = data_folder_.ProfileFilePath(2);
  ASSERT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(SaveDownloadedProfileFile(context_, 1), 1);
  model::EditedConfig loaded;
  ASSERT_EQ(ReadProfileFile(loaded, path), 1);
  EXPECT_EQ(loaded.profiles->Record(2, SlotOfCode(0x01E)).type, AssignmentType::kDisabled);
  EXPECT_FALSE(std::filesystem::exists(data_folder_.ProfileFilePath(0)));

  // The active profile unknown: no file is guessed at.
  std::filesystem::remove(path);
  app_state_.cached_profile = -1;
  RefuseEverything();
  EXPECT_EQ(SaveDownloadedProfileFile(context_, 0), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(KeyboardProfileTest, ImportLoadsSavesAndWritesAllProfiles) {
  // The file to import, written from another configuration.
  model::EditedConfig source;
  source.profiles = std::make_unique<model::ProfileSet>(DefaultProfileSet());
  source.profiles->Record(1, SlotOfCode(0x010)) = MakeRecord(AssignmentType::kSingleKey, 0x011);
  source.profiles->Record(2, SlotOfCode(0x03B)) = MakeRecord(AssignmentType::kMacro, 1, 1);
  source.profiles->Record(0, SlotOfCode(0x03C)) = MakeRecord(AssignmentType::kLaunchProgram);
  source.SetString(SlotOfCode(0x03C), u"notepad.exe");
  source.macros = {MakeMacro(1, u"Hello", {{20, 0x023, kPress}, {0, 0x023, kRelease}})};
  const auto import_path = documents_.File("import.tvc");
  ASSERT_EQ(WriteProfileFile(source, 1, import_path), 1);

  const auto active_path = data_folder_.ProfileFilePath(0);
  ASSERT_EQ(BuildDefaultProfileSet(active_path), 1);
  int refreshed = 0;
  const ImportResult result = ImportProfileFrom(context_, import_path, [&] { ++refreshed; });
  EXPECT_TRUE(result.loaded);
  EXPECT_EQ(result.saved, 1);
  EXPECT_EQ(result.applied, 1);
  EXPECT_EQ(refreshed, 1);
  EXPECT_TRUE(prompter_.messages.empty());
  EXPECT_EQ(edited_.String(SlotOfCode(0x03C)).text, u"notepad.exe");
  EXPECT_EQ(ReadFile(active_path), ReadFile(import_path));

  // The keyboard holds all three profiles.
  for (int p = 0; p < 3; ++p) {
    model::KeyMapBlock block{};
    ASSERT_EQ(device::ReadKeyMap(channel(), p, block.data()), 1);
    EXPECT_EQ(block,
              model::BuildKeyMapBlock(*source.profiles, source.macros, p, default_key_map_.Get()));
  }
}

TEST_F(KeyboardProfileTest, RejectedImportsChangeNothing) {
  edited_.profiles->Record(0, SlotOfCode(0x01E)) = MakeRecord(AssignmentType::kDisabled);
  const model::ProfileSet before = *edited_.profiles;
  const std::u16string import_failed = u"File format error, import failed! ";

  // Missing: only the import message.
  const auto missing = documents_.File("gone.tvc");
  EXPECT_FALSE(ImportProfileFrom(context_, missing).loaded);
  EXPECT_EQ(prompter_.messages, std::vector<std::u16string>{import_failed});

  // A bad header: the format error naming the path, then the import message.
  prompter_.messages.clear();
  const auto bad = documents_.File("bad.tvc");
  Bytes bytes(32832, 0);
  WriteFile(bad, bytes);
  EXPECT_FALSE(ImportProfileFrom(context_, bad).loaded);
  ASSERT_EQ(prompter_.messages.size(), 2u);
  EXPECT_EQ(prompter_.messages[0],
            u"wrong file format, revert to the default values: \n  " + bad.u16string());
  EXPECT_EQ(prompter_.messages[1], import_failed);

  EXPECT_TRUE(vkb().traffic().Requests().empty());
  ASSERT_TRUE(edited_.profiles);
  EXPECT_EQ(std::memcmp(edited_.profiles.get(), &before, sizeof before), 0);
}

}  // namespace
}  // namespace tarvolin::profiles
