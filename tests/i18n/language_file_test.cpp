#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "i18n/language_loader.h"
#include "platform/ini_file.h"
#include "tests/i18n/text_ini_store.h"
#include "tests/support/source_tree.h"

namespace tarvolin {
namespace {

using testing::Widen;

std::filesystem::path ShippedLanguageFile() {
  return testing::SourceTreePath("resources/skin/language.ini");
}

constexpr std::u16string_view kMissing = u"\u0001missing\u0001";

class ShippedLanguageFileTest : public ::testing::Test {
 protected:
  IniFile file_{ShippedLanguageFile()};
};

TEST_F(ShippedLanguageFileTest, IsUtf16WithAMarkAndWindowsLineEnds) {
  std::ifstream in(ShippedLanguageFile(), std::ios::binary);
  ASSERT_TRUE(in) << ShippedLanguageFile();
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  ASSERT_EQ(bytes.size() % 2, 0u);
  const DecodedIniText decoded = DecodeIniBytes(bytes);
  EXPECT_EQ(decoded.encoding, IniEncoding::kUtf16LeBom);
  for (std::size_t i = 0; i < decoded.text.size(); ++i) {
    if (decoded.text[i] == u'\n') {
      ASSERT_TRUE(i > 0 && decoded.text[i - 1] == u'\r') << "bare LF at " << i;
    } else if (decoded.text[i] == u'\r') {
      ASSERT_TRUE(i + 1 < decoded.text.size() && decoded.text[i + 1] == u'\n') << "bare CR";
    }
  }
  const int language = ReadLanguageValue(file_);
  EXPECT_TRUE(language == 0 || language == 1);
}

TEST_F(ShippedLanguageFileTest, HasEveryKeyInBothLanguagesWithMatchingPlaceholders) {
  for (std::u16string_view section : {kChineseSection, kEnglishSection}) {
    for (std::string_view key : LanguageFileKeys()) {
      SCOPED_TRACE(std::string(section.begin(), section.end()) + "/" + std::string(key));
      const std::u16string text = file_.Read(section, Widen(key), kMissing);
      ASSERT_NE(text, kMissing);
      EXPECT_FALSE(text.empty());
      EXPECT_LE(text.size(), TextSlot::kMaxLength) << "would be cut";
      // The placeholders of the compiled-in texts stay, and no other text carries any.
      const std::optional<TextKey> slot = FindTextKey(key);
      const std::u16string_view reference = slot ? BuiltinText(*slot) : u"";
      EXPECT_TRUE(PlaceholdersMatch(text, reference));
      EXPECT_EQ(text.find(u"hello"), std::u16string::npos);
      EXPECT_EQ(text.find(u"Hello"), std::u16string::npos);
    }
  }
}

TEST_F(ShippedLanguageFileTest, KeepsWhatCallersRelyOn) {
  for (std::u16string_view section : {kChineseSection, kEnglishSection}) {
    // A registry value name: the same in both languages, so the setting survives a switch.
    EXPECT_EQ(file_.Read(section, u"MACRO_ACTION_RECORD_DELAY", kMissing), u"RecordDelay");
    // Appended to the data folder to make a file name.
    EXPECT_EQ(file_.Read(section, u"PROFILE_NEW", kMissing).substr(0, 1), u"\\");
    // Tooltips are built as name + this text + "Key(" ...: it must start with a separator.
    EXPECT_EQ(file_.Read(section, u"KEY_PROMPT_SET", kMissing).substr(0, 1), u" ");
    // Menu items carry an access key.
    for (std::u16string_view menu :
         {u"MENU_1", u"MENU_2", u"MENU_3", u"MENU_4", u"MENU_11", u"MENU_22", u"MENU_33"}) {
      EXPECT_NE(file_.Read(section, menu, kMissing).find(u'&'), std::u16string::npos);
    }
  }
}

TEST_F(ShippedLanguageFileTest, LoadsIntoTheTableInEitherLanguage) {
  LanguageTable table;
  // The same file with the choice forced each way.
  const std::u16string chinese_file = [&] {
    std::ifstream in(ShippedLanguageFile(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodeIniBytes(bytes).text;
  }();
  for (const auto& [value, expected] :
       {std::pair{u"0", Language::kChinese}, std::pair{u"1", Language::kEnglish}}) {
    testing::TextIniStore store(chinese_file);
    ASSERT_TRUE(store.Write(u"LANGUAGE", u"language", value));
    EXPECT_EQ(LoadLanguageTable(store, table), expected);
    LoadMainWindowCaptions(store, table);
    LoadCompositeTexts(store, table);
    LoadMenuButtonTexts(store, table);
    LoadTrayMenuTexts(store, table);
    for (std::size_t i = 0; i < kTextKeyCount; ++i) {
      const auto key = static_cast<TextKey>(i);
      EXPECT_EQ(table.Text(key),
                store.Read(LanguageSectionName(expected), Widen(TextKeyName(key)), kMissing));
    }
    if (expected == Language::kChinese) {
      EXPECT_EQ(table.Format(TextKey::UNKNOWN_KEY, {0x7F}), u"未知按键：07f");
      EXPECT_EQ(table.Text(TextKey::MENU_33), u"退出(&X)");
    } else {
      EXPECT_EQ(table.Format(TextKey::UNKNOWN_KEY, {0x7F}), u"Unknown key: 07f");
      EXPECT_EQ(table.Format(TextKey::MACRO_ERR_MAX, {100}), u"You can create at most 100 macros.");
    }
  }
}

}  // namespace
}  // namespace tarvolin
