#include <gtest/gtest.h>

#include <memory>

#include "model/config_state.h"
#include "model/key_buttons.h"
#include "model/key_description.h"
#include "model/key_map.h"
#include "model/model_text.h"

namespace tarvolin::model {
namespace {

TEST(ProfileSetLayout, HeaderAndDescriptor) {
  auto set = std::make_unique<ProfileSet>();
  WriteProfileHeader(*set, 0, 0);
  const std::uint8_t expected[32] = {0x46, 0x44, 0x20, 0x00, 0x03, 0x00, 0x01, 0x00,
                                     0x40, 0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00,
                                     0,    0,    0,    0,    0,    0,    0,    0,
                                     0,    0,    0,    0,    0,    0,    0,    0x76};
  for (int i = 0; i < 32; ++i)
    EXPECT_EQ(set->header[static_cast<std::size_t>(i)], expected[i]) << i;

  WriteProfileHeader(*set, 2, 10);
  EXPECT_EQ(set->MacroCount(), 2);
  EXPECT_EQ(set->StringBytes(), 10u);
  const std::uint32_t total = set->header[8] | set->header[9] << 8 | set->header[10] << 16;
  EXPECT_EQ(total, 32832u + 2u * 16512u + 10u);

  WriteProfileSetDescriptor(*set);
  EXPECT_EQ(set->header[32] | set->header[33] << 8, 0x484B);
  EXPECT_EQ(set->header[36] | set->header[37] << 8, 32800);
  EXPECT_EQ(set->header[48] | set->header[49] << 8, 0x0C45);
  EXPECT_EQ(set->header[52] | set->header[53] << 8 | set->header[54] << 16, 0x0E1C4F);
  EXPECT_EQ(&set->Record(1, 3), &set->records[515]);
}

TEST(EditedConfigStrings, TheByteTotalFollowsEveryChange) {
  EditedConfig config;
  config.SetString(5, u"notepad.exe");
  EXPECT_EQ(config.String(5).bytes, 24u);
  config.SetString(2047, u"");
  EXPECT_EQ(config.String(2047).bytes, 2u);  // the terminator alone
  EXPECT_EQ(config.StringBytes(), 26u);
  config.SetString(5, u"ab\0cd");
  EXPECT_EQ(config.String(5).text, u"ab");
  EXPECT_EQ(config.StringBytes(), 8u);
  config.ClearString(2047);
  EXPECT_EQ(config.StringBytes(), 6u);
  EXPECT_THROW(config.SetString(2048, u"x"), std::out_of_range);
  config.ClearStrings();
  EXPECT_EQ(config.StringBytes(), 0u);
  EXPECT_EQ(config.String(5).bytes, 0u);
}

KeyAssignment Record(std::uint16_t type, std::uint32_t value = 0) {
  KeyAssignment record;
  record.type = type;
  record.value = value;
  return record;
}

TEST(KeyDescription, TooltipsWithTheBuiltInTexts) {
  EditedConfig config;
  config.profiles = std::make_unique<ProfileSet>();
  config.macros.resize(2);
  config.macros[0].id = 5;
  config.macros[0].SetName(u"Burst");
  config.macros[1].id = 6;
  config.macros[1].SetName(u"Other");

  EXPECT_EQ(DescribeKey(config, 0x01E, Record(0)), (KeyDescription{false, u"A"}));
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(2, 0x030)),
            (KeyDescription{true, u"AKeys, Set: Key(B)"}));
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(1)).tooltip, u"AKeys, Set: ");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(3)).tooltip, u"AKeys, Set: ");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(4, 6)).tooltip, u"AKeys, Set: Macro(Other)");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(4, 9)).tooltip, u"AKeys, Set: Macro()");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(7, 7)).tooltip, u"AKeys, Set: Media(Hello world)");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(7, 99)).tooltip, u"AKeys, Set: Media()");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(8, 8)).tooltip, u"AKeys, Set: Function(Select All)");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(8, 11)).tooltip, u"AKeys, Set: Function()");
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(9)), (KeyDescription{true, u"AKeys, Set: "}));
  EXPECT_EQ(DescribeGKey(config, 4, Record(5)), (KeyDescription{true, u"G5Keys, Set: "}));
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(2, 0x07F)).tooltip,
            u"AKeys, Set: Key(Unknown Key: 07f)");

  config.profiles.reset();  // no set loaded: no macro name
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(4, 6)).tooltip, u"AKeys, Set: Macro()");

  SetModelTextLookup([](std::string_view key) -> std::u16string {
    if (key == "KEY_PROMPT_SET") return u" = ";
    if (key == "KEY_PROMPT_SINGLE") return u"[";
    return u"";
  });
  EXPECT_EQ(DescribeKey(config, 0x01E, Record(2, 0x030)).tooltip, u"A = [B)");
  SetModelTextLookup(nullptr);
}

TEST(KeyDescription, RefreshAndRestoreDefaults) {
  EditedConfig config;
  EXPECT_TRUE(RefreshKeyButtons(config, 0, 0).empty());
  EXPECT_FALSE(ClearCurrentProfile(config, 0, 0).has_value());

  config.profiles = std::make_unique<ProfileSet>();
  ResetAllAssignments(*config.profiles);
  ProfileSet& set = *config.profiles;
  set.Record(1, SlotOfCode(0x01E)) = Record(2, 0x030);
  set.Record(1, SlotOfGKey(0, 1)) = Record(5);  // G1, bank B
  set.Record(1, SlotOfGKey(0, 0)) = Record(1);  // G1, bank A
  set.Record(1, 300) = Record(1);               // no button shows slot 300

  auto buttons = RefreshKeyButtons(config, 1, 1);
  ASSERT_EQ(buttons.size(), 9u + 105u);
  EXPECT_EQ(buttons[0].button_id, 1000);
  EXPECT_EQ(buttons[0].description.tooltip, u"G1Keys, Set: ");
  EXPECT_EQ(buttons[9].button_id, 1058);  // A leads the key buttons
  EXPECT_EQ(buttons[9].description.tooltip, u"AKeys, Set: Key(B)");
  EXPECT_EQ(buttons.back().button_id, 1209);  // K45 ends them
  EXPECT_FALSE(ClearCurrentProfile(config, 4, 1).has_value());
  EXPECT_FALSE(ClearCurrentProfile(config, -1, 1).has_value());

  const auto cleared = ClearCurrentProfile(config, 1, 1);
  ASSERT_TRUE(cleared.has_value());
  ASSERT_EQ(cleared->size(), 114u);
  for (const ButtonDescription& button : *cleared) {
    EXPECT_FALSE(button.description.assigned_look) << button.button_id;
  }
  EXPECT_EQ(set.Record(1, SlotOfCode(0x01E)), KeyAssignment{});
  EXPECT_EQ(set.Record(1, SlotOfGKey(0, 1)), KeyAssignment{});
  EXPECT_EQ(set.Record(1, SlotOfGKey(0, 0)).type, 1);  // the other bank is left alone
  EXPECT_EQ(set.Record(1, 300).type, 1);

  const auto g = RefreshKeyButton(config, SlotOfGKey(3, 1), 1);
  ASSERT_TRUE(g.has_value());
  EXPECT_EQ(g->button_id, 1003);
  EXPECT_EQ(g->description.tooltip, u"G4");
  const auto key = RefreshKeyButton(config, SlotOfCode(0x145), 0);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->button_id, 1104);
  EXPECT_EQ(key->description.tooltip, u"Num Lock");
  EXPECT_FALSE(RefreshKeyButton(config, SlotOfCode(0x146), 0).has_value());  // Break
  EXPECT_FALSE(RefreshKeyButton(config, SlotOfGKey(3, 1), 0).has_value());
}

}  // namespace
}  // namespace tarvolin::model
