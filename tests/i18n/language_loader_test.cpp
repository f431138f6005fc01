#include "i18n/language_loader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ini_file.h"
#include "tests/i18n/text_ini_store.h"

namespace tarvolin {
namespace {

using testing::TextIniStore;
using testing::Widen;

// A language file with every key of `keys` in both sections, the English text being the key's
// name and the Chinese one the name with a "中" in front.
std::u16string FileWithKeys(int language, std::span<const TextKey> keys) {
  std::u16string text = u"[LANGUAGE]\r\nlanguage=" + Widen(std::to_string(language)) + u"\r\n";
  text += u"[CHINESE]\r\n";
  for (TextKey key : keys)
    text += Widen(TextKeyName(key)) + u"=中" + Widen(TextKeyName(key)) + u"\r\n";
  text += u"[ENGINSH]\r\n";
  for (TextKey key : keys)
    text += Widen(TextKeyName(key)) + u"=" + Widen(TextKeyName(key)) + u"\r\n";
  return text;
}

std::span<const TextKey> AllKeys() {
  static const std::vector<TextKey> keys = [] {
    std::vector<TextKey> all;
    for (std::size_t i = 0; i < kTextKeyCount; ++i) all.push_back(static_cast<TextKey>(i));
    return all;
  }();
  return keys;
}

TEST(LanguageChoice, OnlyOneSelectsEnglish) {
  const auto choice = [](std::u16string_view file) {
    return ReadLanguageChoice(TextIniStore(file));
  };
  EXPECT_EQ(choice(u"[LANGUAGE]\r\nlanguage=1"), Language::kEnglish);
  EXPECT_EQ(choice(u"[language]\r\nLANGUAGE = 01 "), Language::kEnglish);
  EXPECT_EQ(choice(u"[LANGUAGE]\r\nlanguage=1 (English)"), Language::kEnglish);
  EXPECT_EQ(choice(u"[LANGUAGE]\r\nlanguage=0"), Language::kChinese);
  EXPECT_EQ(choice(u"[LANGUAGE]\r\nlanguage=2"), Language::kChinese);
  EXPECT_EQ(choice(u"[LANGUAGE]\r\nlanguage=-1"), Language::kChinese);
  EXPECT_EQ(choice(u"[LANGUAGE]\r\nlanguage=English"), Language::kChinese);
  EXPECT_EQ(choice(u"[LANGUAGE]\r\nlanguage="), Language::kChinese);
  EXPECT_EQ(choice(u"[LANGUAGE]"), Language::kChinese);
  EXPECT_EQ(choice(u""), Language::kChinese);
  EXPECT_EQ(LanguageSectionName(Language::kEnglish), u"ENGINSH");
  EXPECT_EQ(LanguageSectionName(Language::kChinese), u"CHINESE");
}

TEST(LanguageLoader, WithoutAFileEveryLoadedTextIsOneBlank) {
  LanguageTable table;
  const IniFile missing(std::filesystem::temp_directory_path() / "no-such-language-file.ini");
  EXPECT_EQ(LoadLanguageTable(missing, table), Language::kChinese);
  for (TextKey key : TextGroupKeys(TextGroup::kMainTable)) {
    EXPECT_EQ(table.Text(key), u" ") << TextKeyName(key);
  }
  // Groups not loaded yet keep their built-in texts.
  EXPECT_EQ(table.Text(TextKey::PROFILE_1), u"hello");
  EXPECT_EQ(table.Text(TextKey::MENU_11), u"Open(&O)");
  EXPECT_EQ(LoadAboutTexts(missing).intro, u" ");
}

TEST(LanguageLoader, MissingEmptyAndLongValuesFollowTheRules) {
  const std::u16string long_value(300, u'長');
  TextIniStore file(
      u"[LANGUAGE]\r\nlanguage=1\r\n"
      u"[ENGINSH]\r\n"
      u"MACRO_NEW_PREFIX=\r\n"
      u"MACRO_ERR_MAX=\"  You can have %d macros.  \"\r\n"
      u"UNKNOWN_KEY=" +
      long_value +
      u"\r\n"
      u"MEDIA_MUTE_8 =   Mute   \r\n"
      u"[CHINESE]\r\n"
      u"MEDIA_CALC_17=计算器\r\n");
  LanguageTable table;
  ASSERT_EQ(LoadLanguageTable(file, table), Language::kEnglish);

  EXPECT_EQ(table.Text(TextKey::MACRO_NEW_PREFIX), u"");  // empty value
  EXPECT_EQ(table.Text(TextKey::MACRO_ERR_MAX), u"  You can have %d macros.  ");
  EXPECT_EQ(table.Text(TextKey::UNKNOWN_KEY), long_value.substr(0, 107));  // cut to the slot
  EXPECT_EQ(table.Text(TextKey::MEDIA_MUTE_8), u"Mute");
  EXPECT_EQ(table.Text(TextKey::MEDIA_CALC_17), u" ");              // only in the other language
  EXPECT_EQ(table.Text(TextKey::MACRO_ACTION_RECORD_DELAY), u" ");  // missing: one blank

  // The loader read the choice first, then every key of the group from the English section,
  // each with one blank as the default.
  const auto& reads = file.Reads();
  ASSERT_EQ(reads.size(), 1u + 86u);
  EXPECT_EQ(reads[0].section, u"LANGUAGE");
  EXPECT_EQ(reads[0].key, u"language");
  EXPECT_EQ(reads[0].fallback, u" ");
  for (std::size_t i = 1; i < reads.size(); ++i) {
    EXPECT_EQ(reads[i].section, u"ENGINSH");
    EXPECT_EQ(reads[i].fallback, u" ");
  }
  EXPECT_EQ(reads[1].key, u"MACRO_ACTION_RECORD_DELAY");
  EXPECT_EQ(reads.back().key, u"MAIN_NO_DEVICE_PROMPT");
}

TEST(LanguageLoader, EachGroupLoadsOnlyItsOwnSlots) {
  TextIniStore file(FileWithKeys(0, AllKeys()));
  LanguageTable table;

  LoadLanguageTable(file, table);
  EXPECT_EQ(table.Text(TextKey::UNKNOWN_KEY), u"中UNKNOWN_KEY");
  EXPECT_EQ(table.Text(TextKey::MAIN_MINIMIZE_PROMPT), u"中MAIN_MINIMIZE_PROMPT");
  EXPECT_EQ(table.Text(TextKey::PROFILE_1), u"hello");
  EXPECT_EQ(table.Text(TextKey::SINGLE_KEY), u"hello");
  EXPECT_EQ(table.Text(TextKey::MENU_1), u"Import");
  EXPECT_EQ(table.Text(TextKey::MENU_11), u"Open(&O)");

  LoadMainWindowCaptions(file, table);
  EXPECT_EQ(table.Text(TextKey::PROFILE_1), u"中PROFILE_1");
  EXPECT_EQ(table.Text(TextKey::PROFILE_APPLY), u"中PROFILE_APPLY");
  EXPECT_EQ(table.Text(TextKey::SINGLE_KEY), u"hello");

  LoadCompositeTexts(file, table);
  EXPECT_EQ(table.Text(TextKey::SINGLE_KEY), u"中SINGLE_KEY");
  EXPECT_EQ(table.Text(TextKey::COMPOSITE_PROMPT_OSK), u"中COMPOSITE_PROMPT_OSK");
  EXPECT_EQ(table.Text(TextKey::MENU_1), u"Import");

  LoadMenuButtonTexts(file, table);
  EXPECT_EQ(table.Text(TextKey::MENU_3), u"中MENU_3");
  EXPECT_EQ(table.Text(TextKey::MENU_4), u"中MENU_4");
  EXPECT_EQ(table.Text(TextKey::MENU_11), u"Open(&O)");

  LoadTrayMenuTexts(file, table);
  EXPECT_EQ(table.Text(TextKey::MENU_33), u"中MENU_33");

  // Every slot has now come from the file.
  for (std::size_t i = 0; i < kTextKeyCount; ++i) {
    const auto key = static_cast<TextKey>(i);
    EXPECT_EQ(table.Text(key), u"中" + Widen(TextKeyName(key)));
  }
}

TEST(LanguageLoader, ALanguageChangeReachesOnlyTheGroupsLoadedAfterIt) {
  TextIniStore chinese(FileWithKeys(0, AllKeys()));
  LanguageTable table;
  LoadLanguageTable(chinese, table);
  LoadMainWindowCaptions(chinese, table);
  LoadTrayMenuTexts(chinese, table);

  // The user sets language=1 while the program runs; the menus read it at their next opening.
  TextIniStore english(FileWithKeys(1, AllKeys()));
  EXPECT_EQ(LoadTrayMenuTexts(english, table), Language::kEnglish);
  EXPECT_EQ(LoadMenuButtonTexts(english, table), Language::kEnglish);
  EXPECT_EQ(table.Text(TextKey::MENU_11), u"MENU_11");
  EXPECT_EQ(table.Text(TextKey::MENU_1), u"MENU_1");
  EXPECT_EQ(table.Text(TextKey::PROFILE_OK), u"中PROFILE_OK");
  EXPECT_EQ(table.Text(TextKey::MAIN_CAPTION), u"中MAIN_CAPTION");

  const AboutTexts about =
      LoadAboutTexts(TextIniStore(u"[LANGUAGE]\r\nlanguage=1\r\n[ENGINSH]\r\n"
                                  u"GUANYU_JIESHAO=Settings 1.0\r\nGUANYU_BANQUAN=\r\n"));
  EXPECT_EQ(about.intro, u"Settings 1.0");
  EXPECT_EQ(about.copyright, u"");
}

TEST(LanguageLoader, TheProcessTableFeedsTheLookupByName) {
  LanguageTable& table = GlobalLanguageTable();
  table.Reset();
  EXPECT_EQ(LanguageTextByName("UNKNOWN_KEY"), u"Unknown Key: %03x");
  EXPECT_EQ(LanguageTextByName("NOT_A_KEY"), u"");
  EXPECT_EQ(FindLanguageText("NOT_A_KEY"), std::nullopt);

  LoadLanguageTable(
      TextIniStore(u"[CHINESE]\r\nUNKNOWN_KEY=未知按键：%03x\r\n"
                   u"MACRO_ERR_MAX=最多 %s 个\r\nMEDIA_MUTE_8=静音 100%\r\n"));
  EXPECT_EQ(LanguageText(TextKey::UNKNOWN_KEY), u"未知按键：%03x");
  EXPECT_EQ(LanguageTextByName("UNKNOWN_KEY"), u"未知按键：%03x");
  EXPECT_EQ(FormatLanguageText(TextKey::UNKNOWN_KEY, {0x7F}), u"未知按键：07f");
  // A text meant for formatting with the wrong placeholder is not handed out.
  EXPECT_EQ(FindLanguageText("MACRO_ERR_MAX"), u"最多 %s 个");
  EXPECT_EQ(LanguageTextByName("MACRO_ERR_MAX"), u"The maximum number of macro: %d   ");
  // A name is never formatted, so its percent sign is harmless and kept.
  EXPECT_EQ(LanguageTextByName("MEDIA_MUTE_8"), u"静音 100%");
  table.Reset();
}

}  // namespace
}  // namespace tarvolin
