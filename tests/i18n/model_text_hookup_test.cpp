#include <gtest/gtest.h>

#include "i18n/language_loader.h"
#include "model/key_table.h"
#include "model/model_text.h"
#include "tests/i18n/text_ini_store.h"

namespace tarvolin {
namespace {

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

}  // namespace
}  // namespace tarvolin
