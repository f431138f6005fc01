#include "lighting/effect_list.h"

#include <gtest/gtest.h>

#include <array>

#include "lighting/lighting_controller.h"
#include "tests/lighting/memory_ini_store.h"

namespace tarvolin::lighting {
namespace {

std::array<std::uint8_t, kEffectListBytes> Announced(std::initializer_list<std::uint8_t> effects) {
  std::array<std::uint8_t, kEffectListBytes> bytes{};
  std::copy(effects.begin(), effects.end(), bytes.begin());
  return bytes;
}

TEST(EffectListTest, ZerosAreSkippedAndPositionsFollowTheList) {
  const auto list = EffectList::FromAnnounced(Announced({5, 0, 7, 254}));
  ASSERT_EQ(list.entries().size(), 3u);
  EXPECT_EQ(list.PositionOf(5), 0);
  EXPECT_EQ(list.PositionOf(7), 1);
  EXPECT_EQ(list.PositionOf(254), 2);
  EXPECT_EQ(list.PositionOf(6), -1);
  EXPECT_EQ(list.EffectAt(1), 7);
  EXPECT_FALSE(list.EffectAt(3).has_value());
  EXPECT_FALSE(list.EffectAt(-1).has_value());
  EXPECT_TRUE(list.SupportsPerKey());

  // A repeated number maps to its first position; a full list of 32 is kept whole.
  std::array<std::uint8_t, kEffectListBytes> full;
  full.fill(3);
  full[31] = 9;
  const auto long_list = EffectList::FromAnnounced(full);
  EXPECT_EQ(long_list.entries().size(), 32u);
  EXPECT_EQ(long_list.PositionOf(3), 0);
  EXPECT_EQ(long_list.PositionOf(9), 31);
  EXPECT_FALSE(long_list.SupportsPerKey());
  EXPECT_TRUE(EffectList::FromAnnounced(Announced({})).empty());
}

TEST(EffectListTest, NamesComeFromTheSkinSectionOfTheLanguage) {
  testing::MemoryIniStore skin;
  skin.Set(u"Mode", u"5", u"\u547c\u5438");
  skin.Set(u"Mode1", u"5", u"Breathing");
  skin.Set(u"Mode1", u"254", u"Custom");
  EXPECT_EQ(EffectName(skin, 0, 5), u"\u547c\u5438");
  EXPECT_EQ(EffectName(skin, 1, 5), u"Breathing");
  EXPECT_EQ(EffectName(skin, 1, 254), u"Custom");
  EXPECT_EQ(EffectName(skin, 0, 254), u"1");  // missing key
  EXPECT_EQ(EffectName(skin, 2, 5), u"\u547c\u5438");

  auto list = EffectList::FromAnnounced(Announced({5, 254}));
  list.NameEffects(skin, 1);
  EXPECT_EQ(list.entries()[0].name, u"Breathing");
  EXPECT_EQ(list.entries()[1].name, u"Custom");
}

TEST(EffectListTest, LanguageSettingReadsLikeADecimalNumber) {
  testing::MemoryIniStore language;
  EXPECT_EQ(LanguageSetting(language), 0);  // missing
  language.Set(u"LANGUAGE", u"language", u" 1");
  EXPECT_EQ(LanguageSetting(language), 1);
  language.Set(u"LANGUAGE", u"language", u"2x");
  EXPECT_EQ(LanguageSetting(language), 2);
  language.Set(u"LANGUAGE", u"language", u"English");
  EXPECT_EQ(LanguageSetting(language), 0);
}

}  // namespace
}  // namespace tarvolin::lighting
