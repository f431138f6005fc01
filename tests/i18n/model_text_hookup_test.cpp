#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "i18n/language_loader.h"
#include "i18n/text_catalog.h"
#include "model/config_state.h"
#include "model/key_description.h"
#include "model/key_table.h"
#include "model/model_text.h"
#include "tests/i18n/text_ini_store.h"

namespace tarvolin {
namespace {

// The media keys' language keys by assignment value 0..17.
constexpr const char* kMediaTextKeys[] = {
    "MEDIA_PALYER_1",       "MEDIA_PALY_PAUSE_2",    "MEDIA_STOP_PALY_3",   "MEDIA_PREV_TRACK_4",
    "MEDIA_Next_TRACK_5",   "MEDIA_V_LOW_6",         "MEDIA_V_ADD_7",       "MEDIA_MUTE_8",
    "MEDIA_WWW_HOME_9",     "MEDIA_WWW_REFRESH_10",  "MEDIA_WWW_STOP_11",   "MEDIA_WWW_BACK_12",
    "MEDIA_WWW_FORWARD_13", "MEDIA_WWW_FAVORITE_14", "MEDIA_WWW_SEARCH_15", "MEDIA_MY_PC_16",
    "MEDIA_CALC_17",        "MEDIA_MAIL_18"};

// The configuration model names keys through its text seam; the shell connects the language
// table to it with one line. This checks that line end to end.
class ModelTextHookup : public ::testing::Test {
 protected:
  ModelTextHookup() { model::SetModelTextLookup(LanguageTextByName); }
  ~ModelTextHookup() override {
    model::SetModelTextLookup({});
    GlobalLanguageTable().Reset();
  }
};

TEST_F(ModelTextHookup, KeyNamesComeFromTheLoadedLanguage) {
  LoadLanguageTable(
      testing::TextIniStore(u"[LANGUAGE]\r\nlanguage=0\r\n[CHINESE]\r\n"
                            u"UNKNOWN_KEY=未知按键：%03x\r\n"
                            u"MEDIA_MUTE_8=静音\r\n"));
  EXPECT_EQ(model::KeyName(0x07F), u"未知按键：07f");
  EXPECT_EQ(model::KeyName(0x120), u"静音");
  // A media key whose text is missing shows the single blank the loader stored.
  EXPECT_EQ(model::KeyName(0x121), u" ");

  // A language file whose key text takes a string instead of a number is not trusted.
  LoadLanguageTable(testing::TextIniStore(u"[CHINESE]\r\nUNKNOWN_KEY=未知按键：%s\r\n"));
  EXPECT_EQ(model::KeyName(0x07F), u"Unknown Key: 07f");
}

// Every compiled-in media name is the same text, so only distinct language texts show that a
// media assignment's tooltip names its own key.
TEST_F(ModelTextHookup, MediaTooltipsNameTheAssignedKey) {
  std::u16string file =
      u"[LANGUAGE]\r\nlanguage=1\r\n[ENGINSH]\r\nKEY_PROMPT_SET=|set|\r\nKEY_PROMPT_MEDIA=media("
      u"\r\n";
  for (const char* key : kMediaTextKeys) {
    const std::string name(key);
    file += std::u16string(name.begin(), name.end()) + u"=" +
            std::u16string(name.begin(), name.end()) + u" text\r\n";
  }
  LoadLanguageTable(testing::TextIniStore(file));
  model::EditedConfig config;
  config.profiles = std::make_unique<model::ProfileSet>();
  model::KeyAssignment record;
  record.type = model::AssignmentType::kMedia;
  for (std::uint32_t value = 0; value < std::size(kMediaTextKeys); ++value) {
    record.value = value;
    const std::string name(kMediaTextKeys[value]);
    EXPECT_EQ(model::DescribeKey(config, 0x01E, record).tooltip,
              u"A|set|media(" + std::u16string(name.begin(), name.end()) + u" text)")
        << name;
  }
}

// The model keeps its own compiled-in copies so it works before the table is connected; they
// must never drift from the table's.
TEST(ModelBuiltInTexts, EqualTheLanguageTablesCompiledInTexts) {
  std::vector<std::string> keys = {"UNKNOWN_KEY",          "KEY_PROMPT_SET",
                                   "KEY_PROMPT_SINGLE",    "KEY_PROMPT_MACRO",
                                   "KEY_PROMPT_MEDIA",     "KEY_PROMPT_FUNCTION",
                                   "EXTRA_MACRO_TOO_LONG", "EXTRA_PROFILE_SPACE_TIGHT",
                                   "MACRO_NEW_PREFIX"};
  for (int i = 0; i < model::kFunctionCount; ++i) keys.push_back(model::FunctionTextKey(i));
  for (const char* media : kMediaTextKeys) keys.emplace_back(media);
  for (const std::string& name : keys) {
    const auto key = FindTextKey(name);
    ASSERT_TRUE(key.has_value()) << name;
    EXPECT_FALSE(model::BuiltInModelText(name).empty()) << name;
    EXPECT_EQ(model::BuiltInModelText(name), BuiltinText(*key)) << name;
  }
}

}  // namespace
}  // namespace tarvolin
