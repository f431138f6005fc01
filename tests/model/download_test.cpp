#include "model/download.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "device/commands.h"
#include "device/device_report.h"
#include "model/key_buttons.h"
#include "model/key_map.h"
#include "model/macro_image.h"
#include "model_test_support.h"
#include "tests/support/virtual_keyboard_fixture.h"

namespace tarvolin::model {
namespace {

using Bytes = std::vector<std::uint8_t>;
using device::Command;

// A model of its own (configs, default layout, app state) wired to the virtual keyboard.
class ModelDownloadTest : public tarvolin::testing::VirtualKeyboardTest {
 protected:
  void SetUp() override {
    VirtualKeyboardTest::SetUp();
    // What the attach handler does: the default layout and the macro space.
    KeyMapBlock layout{};
    ASSERT_EQ(device::ReadDefaultLayout(channel(), layout.data()), 1);
    default_key_map_.Set(layout);
    device::SettingsBlock settings;
    ASSERT_EQ(device::ReadSettings(channel(), settings), 1);
    app_state_.macro_space = settings.MacroSpaceBytes();
    ASSERT_EQ(app_state_.macro_space.load(), 12800u);
    vkb().traffic().Clear();

    // Every profile with its G slot tags, as a profile read back from the keyboard has.
    edited_.profiles = std::make_unique<ProfileSet>();
    for (int p = 0; p < kProfileCount; ++p) ResetProfileAssignments(edited_.profiles->Profile(p));
  }

  ConfigContext Context() {
    return ConfigContext{channel(), prompter_, edited_, applied_, default_key_map_, app_state_};
  }

  static MacroRecord Macro(std::uint16_t id, std::u16string_view name,
                           std::initializer_list<MacroAction> actions) {
    MacroRecord macro;
    macro.id = id;
    macro.play_count = 1;
    macro.SetName(name);
    macro.action_count = static_cast<std::uint16_t>(actions.size());
    std::copy(actions.begin(), actions.end(), macro.actions.begin());
    return macro;
  }

  // Requests as (command, address) pairs plus the bytes each write carried.
  struct Sent {
    std::vector<Command> commands;
    Bytes macro_area;
    std::vector<std::pair<int, Bytes>> blocks;
  };
  Sent Traffic() {
    Sent sent;
    for (const device::ReportBytes& r : vkb().traffic().Requests()) {
      const auto command = static_cast<Command>(r[device::kOffsetCommand]);
      sent.commands.push_back(command);
      const std::uint8_t length = r[device::kOffsetLength];
      const std::uint16_t address = device::ReportAddress(r);
      const auto payload = device::ReportPayload(r);
      if (command == Command::kWriteMacros) {
        EXPECT_LE(address, sent.macro_area.size());
        sent.macro_area.resize(address);  // a retry repeats its piece
        sent.macro_area.insert(sent.macro_area.end(), payload.begin(), payload.begin() + length);
      } else if (command == Command::kWriteKeyMap) {
        const int block = address / 512;
        if (sent.blocks.empty() || sent.blocks.back().first != block) {
          sent.blocks.emplace_back(block, Bytes{});
        }
        EXPECT_LE(address % 512, sent.blocks.back().second.size());
        sent.blocks.back().second.resize(address % 512);
        sent.blocks.back().second.insert(sent.blocks.back().second.end(), payload.begin(),
                                         payload.begin() + length);
      }
    }
    return sent;
  }

  static std::vector<Command> Expected(std::size_t image_size, std::size_t block_count,
                                       bool with_settings_read = false) {
    std::vector<Command> commands;
    if (with_settings_read) commands.push_back(Command::kReadSettings);
    commands.push_back(Command::kBegin);
    commands.insert(commands.end(), (image_size + 55) / 56, Command::kWriteMacros);
    commands.insert(commands.end(), 10 * block_count, Command::kWriteKeyMap);
    commands.push_back(Command::kEnd);
    return commands;
  }

  void ExpectKeyboardHolds(int profile, const ProfileSet& expected_set) {
    KeyMapBlock block{};
    ASSERT_EQ(device::ReadKeyMap(channel(), profile, block.data()), 1);
    std::vector<KeyAssignment> storage(kSlotsPerProfile);
    ProfileRecords records(storage.data(), kSlotsPerProfile);
    ImportKeyMapBlock(records, block, default_key_map_.Get());
    for (std::size_t slot = 0; slot < kSlotsPerProfile; ++slot) {
      EXPECT_EQ(records[slot], expected_set.Record(profile, slot))
          << "profile " << profile << " slot " << slot;
    }
  }

  EditedConfig edited_;
  AppliedConfig applied_;
  DefaultKeyMap default_key_map_;
  AppState app_state_;
  testing::RecordingPrompter prompter_;
};

KeyAssignment Record(std::uint16_t type, std::uint32_t value = 0, std::uint16_t tag = 0) {
  KeyAssignment record;
  record.type = type;
  record.value = value;
  record.tag = tag;
  return record;
}

TEST_F(ModelDownloadTest, ApplyAllWritesEveryProfileAndReadsBack) {
  edited_.macros = {Macro(1, u"Macro1", {{50, 0x01E, kPress}, {0, 0x01E, kRelease}}),
                    Macro(2, u"Volume", {{10, 0x130, kPress}, {10, 0x130, kRelease}})};
  ProfileSet& set = *edited_.profiles;
  set.Record(0, SlotOfCode(0x01E)) = Record(2, 0x030);                         // A -> B
  set.Record(0, SlotOfCode(0x15C)) = Record(1);                                // Right Win disabled
  set.Record(1, SlotOfCode(0x03B)) = Record(4, 2);                             // F1 plays "Volume"
  set.Record(1, SlotOfGKey(4, 1)) = Record(8, 6, GSlotTag(SlotOfGKey(4, 1)));  // G5 bank B: Paste
  set.Record(2, SlotOfCode(0x01C)) = Record(7, 16);     // Enter -> Calculator
  set.Record(2, SlotOfCode(0x039)) = Record(5);         // Space stops macros
  set.Record(2, SlotOfCode(0x15B)) = Record(2, 0x15C);  // Win -> Right Win
  set.Record(3, SlotOfCode(0x01E)) = Record(1);         // the fourth profile stays home

  auto context = Context();
  ASSERT_EQ(ApplyConfig(context, 1), 1);
  EXPECT_TRUE(prompter_.messages.empty());

  const MacroImageSize sizes = MacroImageSizesOf(edited_.macros);
  EXPECT_EQ(sizes.with_names, 16u + 4u + 2 * 12u + 2 * 6u + 2 * 6u);
  const Sent sent = Traffic();
  EXPECT_EQ(sent.commands, Expected(sizes.with_names, 3));
  Bytes image(sizes.with_names);
  ASSERT_TRUE(BuildMacroImageFrom(edited_.macros, image,
                                  static_cast<std::uint16_t>(sizes.with_names), true));
  EXPECT_EQ(sent.macro_area, image);
  ASSERT_EQ(sent.blocks.size(), 3u);
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(sent.blocks[static_cast<std::size_t>(p)].first, p);
    const KeyMapBlock expected = BuildKeyMapBlock(set, edited_.macros, p, default_key_map_.Get());
    EXPECT_EQ(sent.blocks[static_cast<std::size_t>(p)].second,
              Bytes(expected.begin(), expected.end()));
  }
  // Spot checks of the bytes in the keyboard: A (position 0) sends B, Right Win (86) nothing.
  const auto memory = vkb().firmware().Snapshot();
  KeyMapBlock block0{};
  std::copy_n(memory.key_maps.begin(), 512, block0.begin());
  EXPECT_EQ(EntryAt(block0, 0), (KeyMapEntry{2, 2, 0x05}));
  EXPECT_EQ(EntryAt(block0, 86), (KeyMapEntry{0, 0, 0}));

  for (int p = 0; p < 3; ++p) ExpectKeyboardHolds(p, set);

  Bytes head(16);
  ASSERT_EQ(device::ReadMacros(channel(), head.data(), head.size()), 1);
  const std::size_t size = head[2] | head[3] << 8;
  Bytes area(size);
  ASSERT_EQ(device::ReadMacros(channel(), area.data(), area.size()), 1);
  std::vector<MacroRecord> parsed;
  ASSERT_TRUE(ParseMacroImage(area, parsed));
  ASSERT_EQ(parsed.size(), 2u);
  EXPECT_EQ(parsed[1].Name(), u"Volume");
  EXPECT_EQ(parsed[1].actions[0], (MacroAction{10, 0x130, kPress}));

  // The applied copy: header for 2 macros and no strings.
  ASSERT_TRUE(applied_.profiles);
  EXPECT_EQ(applied_.profiles->MacroCount(), 2);
  EXPECT_EQ(applied_.profiles->StringBytes(), 0u);
  EXPECT_EQ(applied_.macros.size(), 2u);
}

TEST_F(ModelDownloadTest, ApplyCurrentWritesOnlyTheActiveProfile) {
  vkb().firmware().Edit([](vkb::FirmwareMemory& m) { m.settings.SetActiveProfile(1); });
  const auto before = vkb().firmware().Snapshot();
  edited_.profiles->Record(1, SlotOfCode(0x01E)) = Record(2, 0x030);
  edited_.profiles->Record(0, SlotOfCode(0x01E)) = Record(1);

  auto context = Context();
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  EXPECT_EQ(app_state_.cached_profile.load(), 1);
  Sent sent = Traffic();
  EXPECT_EQ(sent.commands, Expected(16, 1, true));
  ASSERT_EQ(sent.blocks.size(), 1u);
  EXPECT_EQ(sent.blocks[0].first, 1);
  const auto after = vkb().firmware().Snapshot();
  EXPECT_TRUE(
      std::equal(after.key_maps.begin(), after.key_maps.begin() + 512, before.key_maps.begin()));
  ExpectKeyboardHolds(1, *edited_.profiles);

  // The second apply uses the cached profile.
  vkb().traffic().Clear();
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  EXPECT_EQ(Traffic().commands, Expected(16, 1));

  // An all-default profile gives the keyboard its default layout back.
  ResetAllAssignments(*edited_.profiles);
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  const auto reset = vkb().firmware().Snapshot();
  EXPECT_TRUE(std::equal(reset.key_maps.begin() + 512, reset.key_maps.begin() + 1024,
                         reset.default_layout.begin()));
}

TEST_F(ModelDownloadTest, MacroSpaceDecidesAboutNames) {
  edited_.macros = {Macro(1, u"Macro1", {{50, 0x01E, kPress}, {0, 0x01E, kRelease}})};
  auto context = Context();

  // Never read (0) or too small even without names: a message and nothing sent.
  for (std::uint32_t space : {0u, 29u}) {
    app_state_.macro_space = space;
    prompter_.messages.clear();
    EXPECT_EQ(ApplyConfig(context, 1), 0);
    EXPECT_TRUE(vkb().traffic().Requests().empty());
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].substr(0, 39), u"Macro space exceeds the hardware space.");
  }

  // S_short <= M < S_full: the image without names, then the message.
  for (std::uint32_t space : {30u, 41u}) {
    app_state_.macro_space = space;
    prompter_.messages.clear();
    vkb().traffic().Clear();
    EXPECT_EQ(ApplyConfig(context, 1), 1);
    const Sent sent = Traffic();
    EXPECT_EQ(sent.commands, Expected(30, 3));
    ASSERT_EQ(sent.macro_area.size(), 30u);
    EXPECT_EQ(sent.macro_area[2], 30);  // the size sent is the short one
    EXPECT_EQ(sent.macro_area[6], 0);   // no names
    EXPECT_EQ(sent.macro_area[21], 0);  // L = 0
    EXPECT_EQ(prompter_.messages,
              std::vector<std::u16string>{
                  u"shortage of hardware space, cancelled the macro name of storage."});
  }

  app_state_.macro_space = 42;
  prompter_.messages.clear();
  vkb().traffic().Clear();
  EXPECT_EQ(ApplyConfig(context, 1), 1);
  EXPECT_EQ(Traffic().macro_area.size(), 42u);
  EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(ModelDownloadTest, TheTightSpaceMessageComesAfterTheWrite) {
  class CountingPrompter final : public Prompter {
   public:
    explicit CountingPrompter(vkb::TrafficLog& log) : log_(log) {}
    PromptAnswer Ask(std::u16string_view, PromptButtons) override {
      requests_when_asked = log_.Requests().size();
      return PromptAnswer::kOk;
    }
    std::size_t requests_when_asked = 0;

   private:
    vkb::TrafficLog& log_;
  } prompter(vkb().traffic());
  edited_.macros = {Macro(1, u"Macro1", {{50, 0x01E, kPress}})};
  app_state_.macro_space = 30;
  ConfigContext context{channel(), prompter, edited_, applied_, default_key_map_, app_state_};
  EXPECT_EQ(ApplyConfig(context, 1), 1);
  EXPECT_EQ(prompter.requests_when_asked, Expected(26, 3).size());
}

TEST_F(ModelDownloadTest, FailuresSendNothingOrReportZero) {
  auto context = Context();

  // No profile set to apply.
  edited_.profiles.reset();
  EXPECT_EQ(ApplyConfig(context, 1), 0);
  EXPECT_TRUE(vkb().traffic().Requests().empty());
  edited_.profiles = std::make_unique<ProfileSet>();

  // The active profile cannot be learnt: nothing is written.
  vkb().Unplug();
  vkb().Drain();
  EXPECT_EQ(QueryActiveProfile(channel(), app_state_), -1);
  EXPECT_EQ(app_state_.cached_profile.load(), -1);
  EXPECT_EQ(ApplyConfig(context, 0), 0);
  for (const auto& request : vkb().traffic().Requests()) {
    EXPECT_EQ(request[device::kOffsetCommand], static_cast<std::uint8_t>(Command::kReadSettings));
  }

  // A profile the keyboard does not have is not written either.
  app_state_.cached_profile = 3;
  vkb().traffic().Clear();
  EXPECT_EQ(ApplyConfig(context, 0), 0);
  EXPECT_TRUE(vkb().traffic().Requests().empty());

  // The keyboard gone during a full download: the last block write fails, no message.
  EXPECT_EQ(ApplyConfig(context, 1), 0);
  EXPECT_TRUE(prompter_.messages.empty());
  vkb().Plug();
  vkb().Drain();
}

TEST_F(ModelDownloadTest, ARefusedMacroWriteDoesNotDecideTheResult) {
  // The keyboard holds less than the program was told: it refuses the image but takes the
  // key maps, and only the last block write counts.
  app_state_.macro_space = 32640;
  std::vector<MacroRecord> macros;
  for (std::uint16_t id = 1; id <= 7; ++id) {
    MacroRecord macro = Macro(id, u"", {});
    macro.action_count = 500;
    macros.push_back(macro);
  }
  edited_.macros = macros;
  edited_.profiles->Record(0, SlotOfCode(0x01E)) = Record(4, 7);
  auto context = Context();
  EXPECT_EQ(ApplyConfig(context, 1), 1);
  const Sent sent = Traffic();
  EXPECT_LT(sent.macro_area.size(), MacroImageSizesOf(macros).without_names);  // refused midway
  EXPECT_EQ(sent.blocks.size(), 3u);
  ExpectKeyboardHolds(0, *edited_.profiles);
}

TEST_F(ModelDownloadTest, ARefusedEarlierBlockWriteLeavesTheResultToTheLastBlock) {
  // The keyboard refuses Begin, the macro image and the first key-map block (each request and
  // its retries) and then takes the rest: the last block decides.
  edited_.profiles->Record(1, SlotOfCode(0x01E)) = Record(AssignmentType::kSingleKey, 0x030);
  edited_.profiles->Record(2, SlotOfCode(0x030)) = Record(AssignmentType::kDisabled);
  vkb::FaultPlan refuse_three;
  refuse_three.refused_replies = 3 * device::kMaxAttempts;
  vkb().firmware().SetFaults(refuse_three);
  auto context = Context();
  EXPECT_EQ(ApplyConfig(context, 1), 1);
  EXPECT_EQ(vkb().firmware().Faults().refused_replies, 0);
  const Sent sent = Traffic();
  ASSERT_EQ(sent.blocks.size(), 3u);
  EXPECT_EQ(sent.blocks[0].second.size(), 56u);  // stopped at its first piece
  ExpectKeyboardHolds(1, *edited_.profiles);
  ExpectKeyboardHolds(2, *edited_.profiles);
  KeyMapBlock block0{};
  ASSERT_EQ(device::ReadKeyMap(channel(), 0, block0.data()), 1);
  EXPECT_EQ(block0, default_key_map_.Get());  // the factory map, untouched
}

TEST_F(ModelDownloadTest, ApplyPacksTheStringsOfProgramsAndTextBlocks) {
  ProfileSet& set = *edited_.profiles;
  set.Record(0, SlotOfCode(0x030)) = Record(3, 999);  // B launches a program
  set.Record(2, SlotOfCode(0x02E)) = Record(6, 999);  // C types a text
  set.Record(1, SlotOfCode(0x020)) = Record(2, 0x01E);
  edited_.SetString(SlotOfCode(0x030), u"calc.exe");
  edited_.SetString(2 * 512 + SlotOfCode(0x02E), u"Hi");
  edited_.SetString(512 + SlotOfCode(0x020), u"stale");  // a record that changed type
  const std::uint32_t total = edited_.StringBytes();
  EXPECT_EQ(total, 18u + 6u + 12u);

  auto context = Context();
  ASSERT_EQ(ApplyConfig(context, 1), 1);
  EXPECT_EQ(applied_.profiles->StringBytes(), total);
  ASSERT_EQ(applied_.string_area.size(), total);
  const Bytes expected_start = {'c', 0, 'a', 0, 'l', 0, 'c', 0, '.', 0, 'e', 0,
                                'x', 0, 'e', 0, 0,   0, 'H', 0, 'i', 0, 0,   0};
  EXPECT_EQ(Bytes(applied_.string_area.begin(), applied_.string_area.begin() + 24), expected_start);
  EXPECT_EQ(Bytes(applied_.string_area.begin() + 24, applied_.string_area.end()), Bytes(12, 0));
  EXPECT_EQ(set.Record(0, SlotOfCode(0x030)).value, 0u);
  EXPECT_EQ(set.Record(2, SlotOfCode(0x02E)).value, 18u);
  EXPECT_EQ(set.Record(1, SlotOfCode(0x020)).value, 0x01Eu);

  // On the keyboard: the program key keeps its default, the text-block key is disabled.
  const auto memory = vkb().firmware().Snapshot();
  const KeyMapBlock defaults = default_key_map_.Get();
  KeyMapBlock block0{};
  KeyMapBlock block2{};
  std::copy_n(memory.key_maps.begin(), 512, block0.begin());
  std::copy_n(memory.key_maps.begin() + 1024, 512, block2.begin());
  EXPECT_EQ(EntryAt(block0, 1), EntryAt(defaults, 1));    // B is position 1
  EXPECT_EQ(EntryAt(block2, 2), (KeyMapEntry{0, 0, 0}));  // C is position 2
}

// Three macros on the keyboard, used by keys of profiles 1 and 2 while profile 0 is active.
class MacroPositionsTest : public ModelDownloadTest {
 protected:
  static constexpr std::uint16_t kF1 = 0x03B, kF2 = 0x03C, kF3 = 0x03D, kF4 = 0x03E;

  void SetUp() override {
    ModelDownloadTest::SetUp();
    if (HasFatalFailure()) return;
    edited_.macros = {Macro(1, u"First", {{10, 0x01E, kPress}}),
                      Macro(2, u"Second", {{10, 0x030, kPress}}),
                      Macro(3, u"Third", {{10, 0x02E, kPress}})};
    ProfileSet& set = *edited_.profiles;
    set.Record(1, SlotOfCode(kF1)) = Record(AssignmentType::kMacro, 3);
    set.Record(2, SlotOfCode(kF2)) = Record(AssignmentType::kMacro, 1);
    set.Record(2, SlotOfCode(kF3)) = Record(AssignmentType::kMacro, 2);
    auto context = Context();
    ASSERT_EQ(ApplyConfig(context, 1), 1);
    ASSERT_EQ(edited_.keyboard_macro_order, (MacroOrder{{1, 2, 3}}));
    app_state_.cached_profile = 0;
    // The keyboard's profile 2 is newer than the edited one: F4 was changed elsewhere.
    vkb().firmware().Edit([&](vkb::FirmwareMemory& m) {
      SetEntryAt(BlockOf(m, 2), Position(kF4), KeyMapEntry{2, 2, 0x05});
    });
    vkb().traffic().Clear();
  }

  // What the macro pane's commit leaves after deleting the macro with id 1.
  void DeleteFirstMacro() {
    edited_.macros.erase(edited_.macros.begin());
    edited_.profiles->Record(2, SlotOfCode(kF2)) = KeyAssignment{};
  }

  std::size_t Position(std::uint16_t code) {
    const KeyMapBlock defaults = default_key_map_.Get();
    for (std::size_t k = 0; k < kKeyMapPositions; ++k) {
      if (DecodeKeyMapEntry(EntryAt(defaults, k)) == code) return k;
    }
    ADD_FAILURE() << "no position for " << code;
    return 0;
  }

  static KeyMapBlock& BlockOf(vkb::FirmwareMemory& memory, int profile) {
    return *reinterpret_cast<KeyMapBlock*>(memory.key_maps.data() + 512 * profile);
  }

  KeyMapBlock KeyboardBlock(int profile) {
    auto memory = vkb().firmware().Snapshot();
    return BlockOf(memory, profile);
  }

  std::size_t Count(Command command) {
    const auto commands = Traffic().commands;
    return static_cast<std::size_t>(std::count(commands.begin(), commands.end(), command));
  }
};

TEST_F(MacroPositionsTest, DeletingAMacroMovesTheOtherProfilesKeysWithIt) {
  const KeyMapBlock before1 = KeyboardBlock(1);
  const KeyMapBlock before2 = KeyboardBlock(2);
  ASSERT_EQ(EntryAt(before1, Position(kF1)), (KeyMapEntry{5, 1, 2}));
  DeleteFirstMacro();
  auto context = Context();
  ASSERT_EQ(ApplyConfig(context, 0), 1);

  // Both other blocks read first, then one session writes the image and blocks 0, 1, 2.
  const Sent sent = Traffic();
  ASSERT_FALSE(sent.commands.empty());
  EXPECT_EQ(sent.commands.front(), Command::kReadKeyMap);
  const auto begin = std::find(sent.commands.begin(), sent.commands.end(), Command::kBegin);
  EXPECT_EQ(std::count(sent.commands.begin(), begin, Command::kReadKeyMap), 20);
  EXPECT_EQ(std::count(begin, sent.commands.end(), Command::kReadKeyMap), 0);
  ASSERT_EQ(sent.blocks.size(), 3u);
  for (int p = 0; p < 3; ++p) EXPECT_EQ(sent.blocks[static_cast<std::size_t>(p)].first, p);

  // Profile 1's F1 still plays "Third", now at position 1; nothing else in the block moved.
  KeyMapBlock expected1 = before1;
  SetEntryAt(expected1, Position(kF1), KeyMapEntry{5, 1, 1});
  EXPECT_EQ(KeyboardBlock(1), expected1);
  // Profile 2: F2 played the deleted macro and is its default key again, F3 follows "Second",
  // and the keyboard's own F4 survives although the edited configuration never had it.
  KeyMapBlock expected2 = before2;
  SetEntryAt(expected2, Position(kF2), EntryAt(default_key_map_.Get(), Position(kF2)));
  SetEntryAt(expected2, Position(kF3), KeyMapEntry{5, 1, 0});
  EXPECT_EQ(KeyboardBlock(2), expected2);
  EXPECT_EQ(EntryAt(KeyboardBlock(2), Position(kF4)), (KeyMapEntry{2, 2, 0x05}));
  EXPECT_EQ(edited_.keyboard_macro_order, (MacroOrder{{2, 3}}));

  // Read back as at the next attach, ids are renumbered and still name the same macros.
  std::vector<KeyAssignment> storage(kSlotsPerProfile);
  ProfileRecords records(storage.data(), kSlotsPerProfile);
  ImportKeyMapBlock(records, KeyboardBlock(1), default_key_map_.Get());
  EXPECT_EQ(records[SlotOfCode(kF1)].value, 2u);  // id 2 of [Second, Third]

  // Nothing moves any more: no reads, only the active block.
  vkb().traffic().Clear();
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  EXPECT_EQ(Count(Command::kReadKeyMap), 0u);
  EXPECT_EQ(Traffic().blocks.size(), 1u);

  // A macro added at the end moves nothing either.
  edited_.macros.push_back(Macro(4, u"Fourth", {}));
  vkb().traffic().Clear();
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  EXPECT_EQ(Count(Command::kReadKeyMap), 0u);
  EXPECT_EQ(edited_.keyboard_macro_order, (MacroOrder{{2, 3, 4}}));

  // Moving macros moves the keys' positions; a block with no macro key is not rewritten.
  std::rotate(edited_.macros.begin(), edited_.macros.begin() + 1, edited_.macros.end());
  // [Third, Fourth, Second]
  edited_.profiles->Record(2, SlotOfCode(kF3)) = KeyAssignment{};
  vkb().firmware().Edit([&](vkb::FirmwareMemory& m) {
    SetEntryAt(BlockOf(m, 2), Position(kF3), EntryAt(default_key_map_.Get(), Position(kF3)));
  });
  vkb().traffic().Clear();
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  EXPECT_EQ(Count(Command::kReadKeyMap), 20u);
  ASSERT_EQ(Traffic().blocks.size(), 2u);
  EXPECT_EQ(Traffic().blocks[1].first, 1);
  EXPECT_EQ(EntryAt(KeyboardBlock(1), Position(kF1)), (KeyMapEntry{5, 1, 0}));
}

TEST_F(MacroPositionsTest, AKeyboardThatCannotBeReadOrTakeTheImageKeepsItsOldPositions) {
  DeleteFirstMacro();
  const auto before = vkb().firmware().Snapshot();
  const KeyMapBlock before1 = KeyboardBlock(1);
  auto context = Context();

  // The other block cannot be read: nothing at all is written, the old order stays known.
  vkb::FaultPlan refuse_read;
  refuse_read.refused_replies = device::kMaxAttempts;
  vkb().firmware().SetFaults(refuse_read);
  EXPECT_EQ(ApplyConfig(context, 0), 0);
  EXPECT_EQ(Count(Command::kBegin), 0u);
  EXPECT_EQ(Count(Command::kWriteMacros), 0u);
  EXPECT_EQ(vkb().firmware().Snapshot().key_maps, before.key_maps);
  EXPECT_EQ(edited_.keyboard_macro_order, (MacroOrder{{1, 2, 3}}));

  // The keyboard refuses the new image midway (less space than it said): the other blocks
  // stay as they were, fitting the old image, and Apply reports the failure.
  app_state_.macro_space = 32640;
  for (MacroRecord& macro : edited_.macros) macro.action_count = 1700;
  vkb().traffic().Clear();
  EXPECT_EQ(ApplyConfig(context, 0), 0);
  EXPECT_GT(Count(Command::kWriteMacros), 0u);
  EXPECT_EQ(KeyboardBlock(1), before1);
  EXPECT_EQ(edited_.keyboard_macro_order, (MacroOrder{{1, 2, 3}}));

  // Once the image fits, the next Apply carries the blocks over from the old order.
  for (MacroRecord& macro : edited_.macros) macro.action_count = 1;
  app_state_.macro_space = 12800;
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  EXPECT_EQ(EntryAt(KeyboardBlock(1), Position(kF1)), (KeyMapEntry{5, 1, 1}));
  EXPECT_EQ(EntryAt(KeyboardBlock(2), Position(kF3)), (KeyMapEntry{5, 1, 0}));

  // A library that did not come from the keyboard (released and replaced) has no known order:
  // the download sends only its own block, as it always did.
  edited_.Release();
  EXPECT_FALSE(edited_.keyboard_macro_order);
  edited_.profiles = std::make_unique<ProfileSet>();
  edited_.macros = {Macro(7, u"Other", {})};
  vkb().traffic().Clear();
  ASSERT_EQ(ApplyConfig(context, 0), 1);
  EXPECT_EQ(Count(Command::kReadKeyMap), 0u);
  EXPECT_EQ(edited_.keyboard_macro_order, (MacroOrder{{7}}));
}

}  // namespace
}  // namespace tarvolin::model
