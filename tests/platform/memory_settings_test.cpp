#include "platform/memory_settings.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarvolin {
namespace {

TEST(SettingInt, OnlyAWholeDecimalIntIsANumber) {
  EXPECT_EQ(ParseSettingInt(u"0"), 0);
  EXPECT_EQ(ParseSettingInt(u" 7 "), 7);
  EXPECT_EQ(ParseSettingInt(u"-12"), -12);
  EXPECT_EQ(ParseSettingInt(u"+3"), 3);
  EXPECT_EQ(ParseSettingInt(u"2147483647"), INT_MAX);
  EXPECT_EQ(ParseSettingInt(u"-2147483648"), INT_MIN);
  EXPECT_EQ(ParseSettingInt(u"2147483648"), std::nullopt);
  EXPECT_EQ(ParseSettingInt(u"-2147483649"), std::nullopt);
  EXPECT_EQ(ParseSettingInt(u"99999999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseSettingInt(u""), std::nullopt);
  EXPECT_EQ(ParseSettingInt(u"-"), std::nullopt);
  EXPECT_EQ(ParseSettingInt(u"1x"), std::nullopt);
  EXPECT_EQ(ParseSettingInt(u"0x10"), std::nullopt);
  EXPECT_EQ(ParseSettingInt(u"1 2"), std::nullopt);

  EXPECT_EQ(FormatSettingInt(INT_MIN), u"-2147483648");
  EXPECT_EQ(FormatSettingInt(0), u"0");
}

TEST(MemorySettingsStore, KeepsValuesAsTextLikeTheRegistry) {
  MemorySettingsStore store;
  EXPECT_EQ(store.ReadInt(u"PROFILES", u"Flip"), std::nullopt);
  EXPECT_EQ(store.ReadString(u"PROFILES", u"Flip"), std::nullopt);

  ASSERT_TRUE(store.WriteInt(u"PROFILES", u"Flip", 1));
  EXPECT_EQ(store.ReadString(u"PROFILES", u"Flip"), u"1");
  EXPECT_EQ(store.ReadInt(u"profiles", u"FLIP"), 1);

  ASSERT_TRUE(store.WriteString(u"PROFILES", u"PROFILE01", u"C:\\Users\\me\\宏.tvc"));
  EXPECT_EQ(store.ReadString(u"Profiles", u"profile01"), u"C:\\Users\\me\\宏.tvc");
  EXPECT_EQ(store.ReadInt(u"PROFILES", u"PROFILE01"), std::nullopt);

  // Same name in any case is one value.
  ASSERT_TRUE(store.WriteString(u"profiles", u"flip", u"0"));
  EXPECT_EQ(store.ReadInt(u"PROFILES", u"Flip"), 0);
  EXPECT_EQ(store.Size(), 2u);

  // Sections are single key levels, as in the registry.
  EXPECT_FALSE(store.WriteInt(u"", u"x", 1));
  EXPECT_FALSE(store.WriteInt(u"A\\B", u"x", 1));
  EXPECT_EQ(store.Size(), 2u);
}

}  // namespace
}  // namespace tarvolin
