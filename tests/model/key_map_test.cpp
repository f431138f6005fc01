#include "model/key_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "model/key_buttons.h"
#include "model/media_keys.h"
#include "model_test_support.h"
#include "vkb/firmware.h"

namespace tarvolin::model {
namespace {

KeyMapBlock FactoryLayout() {
  return vkb::FactoryDefaultLayout();
}

KeyAssignment Record(std::uint16_t type, std::uint32_t value = 0) {
  KeyAssignment record;
  record.type = type;
  record.value = value;
  return record;
}

std::vector<MacroRecord> MacrosWithIds(std::initializer_list<std::uint16_t> ids) {
  std::vector<MacroRecord> macros(ids.size());
  std::size_t i = 0;
  for (std::uint16_t id : ids) macros[i++].id = id;
  return macros;
}

TEST(KeyMap, DecodeEntries) {
  EXPECT_EQ(DecodeKeyMapEntry({2, 2, 0x04}), 0x01E);
  EXPECT_EQ(DecodeKeyMapEntry({2, 2, 0x48}), 0x045);
  EXPECT_EQ(DecodeKeyMapEntry({2, 1, 0x22}), 0x02A);
  EXPECT_EQ(DecodeKeyMapEntry({2, 7, 0x80}), 0x15C);
  EXPECT_EQ(DecodeKeyMapEntry({3, 0xE2, 0x00}), 0x120);
  EXPECT_EQ(DecodeKeyMapEntry({3, 0x83, 0x01}), 0x16D);
  EXPECT_EQ(DecodeKeyMapEntry({4, 0x81, 0x00}), 0x15E);
  EXPECT_EQ(DecodeKeyMapEntry({6, 0xA2, 1}), 0x200);
  EXPECT_EQ(DecodeKeyMapEntry({6, 0xA2, 18}), 0x211);
  EXPECT_EQ(DecodeKeyMapEntry({6, 0xA1, 1}), 0);
  EXPECT_EQ(DecodeKeyMapEntry({5, 1, 0}), 0);
  EXPECT_EQ(DecodeKeyMapEntry({0, 0, 0}), 0);
  EXPECT_EQ(DecodeKeyMapEntry({1, 2, 4}), 0);
}

TEST(KeyMap, EncodeEachAssignmentType) {
  const KeyMapEntry d{2, 2, 0x04};
  const auto macros = MacrosWithIds({7, 3, 9});
  EXPECT_EQ(EncodeAssignment(Record(0), d, macros), d);
  EXPECT_EQ(EncodeAssignment(Record(1), d, macros), (KeyMapEntry{0, 0, 0}));
  EXPECT_EQ(EncodeAssignment(Record(2, 0x15C), d, macros), (KeyMapEntry{2, 1, 0x80}));
  EXPECT_EQ(EncodeAssignment(Record(2, 0x030), d, macros), (KeyMapEntry{2, 2, 0x05}));
  EXPECT_EQ(EncodeAssignment(Record(2, 0x120), d, macros), (KeyMapEntry{2, 2, 0x00}));
  EXPECT_EQ(EncodeAssignment(Record(2, 0x136), d, macros), (KeyMapEntry{2, 2, 0xE5}));
  EXPECT_EQ(EncodeAssignment(Record(2, 0x1001E), d, macros), (KeyMapEntry{2, 2, 0x00}));
  EXPECT_EQ(EncodeAssignment(Record(3), d, macros), d);  // launch program keeps the default
  EXPECT_EQ(EncodeAssignment(Record(4, 9), d, macros), (KeyMapEntry{5, 1, 2}));
  EXPECT_EQ(EncodeAssignment(Record(4, 42), d, macros), (KeyMapEntry{5, 1, 0}));
  EXPECT_EQ(EncodeAssignment(Record(5), d, macros), (KeyMapEntry{5, 2, 0}));
  EXPECT_EQ(EncodeAssignment(Record(6), d, macros), (KeyMapEntry{0, 0, 0}));  // text block
  EXPECT_EQ(EncodeAssignment(Record(7, 0), d, macros), (KeyMapEntry{3, 0x83, 0x01}));
  EXPECT_EQ(EncodeAssignment(Record(7, 7), d, macros), (KeyMapEntry{3, 0xE2, 0x00}));
  EXPECT_EQ(EncodeAssignment(Record(7, 18), d, macros), d);  // no such media key
  EXPECT_EQ(EncodeAssignment(Record(8, 10), d, macros), (KeyMapEntry{5, 5, 10}));
  EXPECT_EQ(EncodeAssignment(Record(9, 1), d, macros), d);
}

TEST(KeyMap, BlocksFollowTheDefaultLayout) {
  KeyMapBlock defaults = FactoryLayout();
  for (std::size_t i = 378; i < defaults.size(); ++i) defaults[i] = static_cast<std::uint8_t>(i);
  auto profiles = std::make_unique<ProfileSet>();
  ResetAllAssignments(*profiles);
  for (int p = 0; p < kHardwareProfileCount; ++p) {
    EXPECT_EQ(BuildKeyMapBlock(*profiles, {}, p, defaults), defaults) << p;
  }

  // Key A (position 0) to B in profile 1, G3 of bank B to stop-macro, Mute (position 123)
  // disabled: only those positions change, and only in profile 1.
  profiles->Record(1, SlotOfCode(0x01E)) = Record(2, 0x030);
  profiles->Record(1, SlotOfGKey(2, 1)) = Record(5);
  profiles->Record(1, SlotOfCode(0x120)) = Record(1);
  const KeyMapBlock block = BuildKeyMapBlock(*profiles, {}, 1, defaults);
  KeyMapBlock expected = defaults;
  SetEntryAt(expected, 0, {2, 2, 0x05});
  SetEntryAt(expected, 105 + 11, {5, 2, 0});
  SetEntryAt(expected, 123, {0, 0, 0});
  EXPECT_EQ(block, expected);
  EXPECT_EQ(BuildKeyMapBlock(*profiles, {}, 0, defaults), defaults);
}

TEST(KeyMap, ImportReadsBackWhatDiffers) {
  const KeyMapBlock defaults = FactoryLayout();
  std::vector<KeyAssignment> storage(kSlotsPerProfile, Record(3, 99));
  ProfileRecords records(storage.data(), kSlotsPerProfile);

  ImportKeyMapBlock(records, defaults, defaults);
  for (std::size_t slot = 0; slot < kSlotsPerProfile; ++slot) {
    KeyAssignment expected;
    if (IsGSlot(slot)) expected.tag = GSlotTag(slot);
    EXPECT_EQ(records[slot], expected) << slot;
  }

  // Positions of the factory layout: 0..104 the key buttons, 105..122 G1..G18, 123.. media.
  struct Case {
    std::size_t position;
    KeyMapEntry entry;
    KeyAssignment expected;
  };
  const Case cases[] = {
      {0, {5, 1, 0}, Record(4, 1)},    {1, {5, 1, 41}, Record(4, 42)},
      {2, {5, 2, 7}, Record(5)},       {3, {5, 5, 4}, Record(8, 4)},
      {4, {5, 9, 0}, Record(1)},       {5, {3, 0xE2, 0x00}, Record(7, 7)},
      {6, {3, 0x34, 0x12}, Record(1)}, {7, {2, 2, 0x05}, Record(2, 0x030)},
      {8, {2, 2, 0xF0}, Record(1)},    {9, {2, 1, 0x80}, Record(2, 0x15C)},
      {10, {2, 1, 0x00}, Record(1)},   {11, {0, 0, 0}, Record(1)},
      {12, {7, 1, 2}, Record(1)},      {13, {4, 0x81, 0}, Record(1)},
      {105, {5, 2, 0}, Record(5)},
  };
  KeyMapBlock block = defaults;
  for (const Case& c : cases) SetEntryAt(block, c.position, c.entry);
  ImportKeyMapBlock(records, block, defaults);
  for (const Case& c : cases) {
    const std::uint16_t slot = SlotOfCode(DecodeKeyMapEntry(EntryAt(defaults, c.position)));
    KeyAssignment expected = c.expected;
    if (IsGSlot(slot)) expected.tag = GSlotTag(slot);
    EXPECT_EQ(records[slot], expected) << "position " << c.position;
  }

  // A position whose default entry is no key cannot be addressed and is skipped.
  KeyMapBlock odd_defaults = defaults;
  SetEntryAt(odd_defaults, 0, {5, 1, 0});
  KeyMapBlock changed = odd_defaults;
  SetEntryAt(changed, 0, {2, 2, 0x05});
  ImportKeyMapBlock(records, changed, odd_defaults);
  for (std::size_t slot = 0; slot < 256; ++slot) EXPECT_EQ(records[slot].type, 0) << slot;
}

TEST(KeyMap, Resets) {
  auto profiles = std::make_unique<ProfileSet>();
  for (KeyAssignment& record : profiles->records) record = Record(2, 0x1E);
  ResetAllAssignments(*profiles);
  for (int p = 0; p < kProfileCount; ++p) {
    for (std::size_t slot = 0; slot < kSlotsPerProfile; ++slot) {
      const KeyAssignment& record = profiles->Record(p, slot);
      EXPECT_EQ(record.type, 0);
      EXPECT_EQ(record.tag, p == 0 && IsGSlot(slot) ? GSlotTag(slot) : 0) << p << " " << slot;
    }
  }
  EXPECT_EQ(profiles->Record(0, 256).tag, 0x301);
  EXPECT_EQ(profiles->Record(0, 264).tag, 0x309);
  EXPECT_EQ(profiles->Record(0, 265).tag, 0x1301);
  EXPECT_EQ(profiles->Record(0, 273).tag, 0x1309);
  EXPECT_EQ(profiles->Record(0, 274).tag, 0);

  ResetProfileAssignments(profiles->Profile(2));
  EXPECT_EQ(profiles->Record(2, 273).tag, 0x1309);
  EXPECT_EQ(profiles->Record(1, 273).tag, 0);
}

// Encoding then importing gives every record the keyboard can hold back unchanged.
TEST(KeyMap, RandomProfilesRoundTripThroughTheKeyboard) {
  std::mt19937 rng(20240611);
  // A single-key assignment holds keyboard keys only.
  std::vector<std::uint16_t> codes;
  for (std::uint16_t code : testing::RoundTripCodes()) {
    if (UsageOfCode(code).page == kPageKeyboard) codes.push_back(code);
  }
  ASSERT_EQ(codes.size(), 105u + 8u);  // the key list without Break and 0x136, K14..KR
  const std::uint16_t kinds[] = {0, 1, 2, 4, 5, 7, 8};
  for (int iteration = 0; iteration < 300; ++iteration) {
    // The layout's positions in a random order, with a random tail.
    KeyMapBlock defaults = FactoryLayout();
    std::vector<KeyMapEntry> entries;
    for (std::size_t k = 0; k < kKeyMapPositions; ++k) entries.push_back(EntryAt(defaults, k));
    std::shuffle(entries.begin(), entries.end(), rng);
    for (std::size_t k = 0; k < kKeyMapPositions; ++k) SetEntryAt(defaults, k, entries[k]);
    for (std::size_t i = 378; i < defaults.size(); ++i)
      defaults[i] = static_cast<std::uint8_t>(rng());

    const std::size_t macro_count = rng() % 101;
    std::vector<MacroRecord> macros(macro_count);
    for (std::size_t i = 0; i < macro_count; ++i) macros[i].id = static_cast<std::uint16_t>(i + 1);

    auto profiles = std::make_unique<ProfileSet>();
    ResetAllAssignments(*profiles);
    const int profile = static_cast<int>(rng() % 3);
    ResetProfileAssignments(profiles->Profile(profile));
    for (const KeyMapEntry& entry : entries) {
      const std::uint16_t slot = SlotOfCode(DecodeKeyMapEntry(entry));
      KeyAssignment& record = profiles->Record(profile, slot);
      record.type = kinds[rng() % std::size(kinds)];
      switch (record.type) {
        case 2:
          record.value = codes[testing::Below(rng, codes.size())];
          break;
        case 4:
          record.value = macro_count == 0 ? 0 : 1 + testing::Below(rng, macro_count);
          break;
        case 7:
          record.value = testing::Below(rng, kMediaKeyCount);
          break;
        case 8:
          record.value = testing::Below(rng, 256);
          break;
        default:
          break;
      }
      // A key given its own function is indistinguishable from the default.
      const std::uint16_t own_code = DecodeKeyMapEntry(entry);
      if ((record.type == 2 && record.value == own_code) ||
          (record.type == 7 && MediaKeyTable()[record.value].code == own_code)) {
        record.type = 0;
        record.value = 0;
      }
    }
    const KeyMapBlock block = BuildKeyMapBlock(*profiles, macros, profile, defaults);
    ASSERT_TRUE(std::equal(block.begin() + 378, block.end(), defaults.begin() + 378));

    std::vector<KeyAssignment> storage(kSlotsPerProfile);
    ProfileRecords imported(storage.data(), kSlotsPerProfile);
    ImportKeyMapBlock(imported, block, defaults);
    for (std::size_t slot = 0; slot < kSlotsPerProfile; ++slot) {
      KeyAssignment expected = profiles->Record(profile, slot);
      if (expected.type == 4 && (expected.value == 0 || expected.value > macro_count)) {
        expected.value = 1;
      }
      ASSERT_EQ(imported[slot], expected) << "iteration " << iteration << " slot " << slot;
    }
  }
}

}  // namespace
}  // namespace tarvolin::model
