#include "i18n/safe_printf.h"

#include <gtest/gtest.h>

#include <climits>

#include "i18n/language_table.h"

namespace tarvolin {
namespace {

constexpr std::u16string_view kUnknownKey = u"Unknown Key: %03x";

TEST(TextFormat, FormatsLikePrintfForTheConversionsTheProgramUses) {
  EXPECT_EQ(FormatText(kUnknownKey, kUnknownKey, {0x07F}), u"Unknown Key: 07f");
  EXPECT_EQ(FormatText(kUnknownKey, kUnknownKey, {0x211}), u"Unknown Key: 211");
  EXPECT_EQ(FormatText(kUnknownKey, kUnknownKey, {0x12345}), u"Unknown Key: 12345");
  EXPECT_EQ(FormatText(u"The maximum number of macro: %d   ", u"%d", {100}),
            u"The maximum number of macro: 100   ");
  EXPECT_EQ(FormatText(u"wrong file format: \n  %s", u"%s", {u"C:\\a\\$Profile0"}),
            u"wrong file format: \n  C:\\a\\$Profile0");

  const std::u16string_view any = u"%d";
  EXPECT_EQ(FormatText(u"[%5d|%-5d|%05d|%+d|% d]", u"%d%d%d%d%d", {42, 42, 42, 42, 42}),
            u"[   42|42   |00042|+42| 42]");
  EXPECT_EQ(FormatText(u"%d", any, {-7}), u"-7");
  EXPECT_EQ(FormatText(u"%05d", any, {-7}), u"-0007");
  EXPECT_EQ(FormatText(u"%.3d", any, {7}), u"007");
  EXPECT_EQ(FormatText(u"%.0d", any, {0}), u"");
  EXPECT_EQ(FormatText(u"%d", any, {LLONG_MIN}), u"-9223372036854775808");
  EXPECT_EQ(FormatText(u"%x|%X|%#x|%o|%u", u"%d%d%d%d%d", {255, 255, 255, 8, 3}),
            u"ff|FF|0xff|10|3");
  EXPECT_EQ(FormatText(u"%x", any, {-1}), u"ffffffff");  // an int's bit pattern, as printf
  EXPECT_EQ(FormatText(u"%u", any, {-1}), u"4294967295");
  EXPECT_EQ(FormatText(u"%ld %hd %lld", u"%d%d%d", {1, 2, 3}), u"1 2 3");
  EXPECT_EQ(FormatText(u"[%6s|%-6s|%.2s]", u"%s%s%s", {u"ab", u"ab", u"宏宏宏"}),
            u"[    ab|ab    |宏宏]");
  EXPECT_EQ(FormatText(u"100%% of %d", any, {5}), u"100% of 5");
}

TEST(TextFormat, ALanguageTextWithWrongPlaceholdersFallsBackToTheBuiltInText) {
  // Each of these would read a missing or wrongly typed argument in a printf-style call.
  for (std::u16string_view bad :
       {u"Key %s", u"Key %03x %d", u"Key %n", u"Key %p", u"Key %f", u"Key %*d", u"Key %",
        u"Key %1000d", u"Key %.999d", u"Key %q", u"No placeholder at all", u"%c"}) {
    SCOPED_TRACE(std::string(bad.begin(), bad.end()));
    EXPECT_EQ(FormatText(bad, kUnknownKey, {0x7F}), u"Unknown Key: 07f");
  }
  // A good translation is used, in any wording.
  EXPECT_EQ(FormatText(u"未知按键：%03x", kUnknownKey, {0x7F}), u"未知按键：07f");
  // Different flags or width are still one integer: accepted.
  EXPECT_EQ(FormatText(u"Unknown key 0x%04X", kUnknownKey, {0x7F}), u"Unknown key 0x007F");
}

TEST(TextFormat, ACallerPassingTheWrongArgumentsGetsTheTextUnformatted) {
  EXPECT_EQ(FormatText(kUnknownKey, kUnknownKey, {}), kUnknownKey);
  EXPECT_EQ(FormatText(kUnknownKey, kUnknownKey, {u"text"}), kUnknownKey);
  EXPECT_EQ(FormatText(kUnknownKey, kUnknownKey, {1, 2}), kUnknownKey);
}

TEST(TextFormat, PlaceholderKindsAreReportedInOrder) {
  using K = PlaceholderKind;
  EXPECT_EQ(PlaceholderKinds(u"%s: %d%%"), (std::vector<K>{K::kString, K::kInteger}));
  EXPECT_EQ(PlaceholderKinds(u"none"), std::vector<K>{});
  EXPECT_EQ(PlaceholderKinds(u"trailing %"), std::nullopt);
  EXPECT_TRUE(PlaceholdersMatch(u"%5d", u"%d"));
  EXPECT_FALSE(PlaceholdersMatch(u"%s", u"%d"));
  EXPECT_FALSE(PlaceholdersMatch(u"%d %d", u"%d"));
}

TEST(TextFormat, TheTableFormatsItsLoadedTextSafely) {
  LanguageTable table;
  table.SetText(TextKey::MACRO_ACTION_ERR_DELAY_MAX, u"延时最长为 %d 毫秒。");
  EXPECT_EQ(table.Format(TextKey::MACRO_ACTION_ERR_DELAY_MAX, {40000}), u"延时最长为 40000 毫秒。");
  table.SetText(TextKey::MACRO_ACTION_ERR_DELAY_MAX, u"延时最长为 %s 毫秒。");
  EXPECT_EQ(table.Format(TextKey::MACRO_ACTION_ERR_DELAY_MAX, {40000}),
            u"Maximum delay time is: 40000(ms) ");
}

}  // namespace
}  // namespace tarvolin
