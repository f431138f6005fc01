#include "i18n/text_catalog.h"

#include <gtest/gtest.h>

#include <set>

#include "i18n/language_table.h"
#include "i18n/safe_printf.h"

namespace tarvolin {
namespace {

TEST(TextCatalog, GroupsHoldTheirKeysInLoadOrder) {
  const auto main = TextGroupKeys(TextGroup::kMainTable);
  ASSERT_EQ(main.size(), 86u);
  EXPECT_EQ(main.front(), TextKey::MACRO_ACTION_RECORD_DELAY);
  EXPECT_EQ(main[17], TextKey::UNKNOWN_KEY);
  EXPECT_EQ(main.back(), TextKey::MAIN_NO_DEVICE_PROMPT);

  const auto captions = TextGroupKeys(TextGroup::kMainWindowCaptions);
  ASSERT_EQ(captions.size(), 11u);
  EXPECT_EQ(captions.front(), TextKey::PROFILE_1);
  EXPECT_EQ(captions[8], TextKey::MAIN_MINIMIZE_PROMPT);  // shared with the main table
  EXPECT_EQ(captions.back(), TextKey::MAIN_CLOSE_PROMPT);

  EXPECT_EQ(TextGroupKeys(TextGroup::kCompositeDialog).size(), 24u);
  EXPECT_EQ(TextGroupKeys(TextGroup::kCompositeDialog).back(), TextKey::FUNCTION_TISHI);
  const auto menu = TextGroupKeys(TextGroup::kMenuButton);
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_EQ(menu[3], TextKey::MENU_4);
  const auto tray = TextGroupKeys(TextGroup::kTrayMenu);
  ASSERT_EQ(tray.size(), 3u);
  EXPECT_EQ(tray[0], TextKey::MENU_11);

  // Every slot belongs to some group, so every text can come from the file.
  std::set<TextKey> loaded;
  for (TextGroup group :
       {TextGroup::kMainTable, TextGroup::kMainWindowCaptions, TextGroup::kCompositeDialog,
        TextGroup::kMenuButton, TextGroup::kTrayMenu}) {
    for (TextKey key : TextGroupKeys(group)) loaded.insert(key);
  }
  EXPECT_EQ(loaded.size(), kTextKeyCount);

  const auto file_keys = LanguageFileKeys();
  EXPECT_EQ(file_keys.size(), kTextKeyCount + 2);
  EXPECT_EQ(std::set<std::string_view>(file_keys.begin(), file_keys.end()).size(),
            file_keys.size());
}

TEST(TextCatalog, BuiltInTextsAreKeptVerbatim) {
  EXPECT_EQ(BuiltinText(TextKey::MACRO_ERR_MAX), u"The maximum number of macro: %d   ");
  EXPECT_EQ(BuiltinText(TextKey::MACRO_ERR_SAME), u"Same macro name!   ");
  EXPECT_EQ(BuiltinText(TextKey::EXTRA_MACRO_TOO_LONG),
            u"Macro space exceeds the hardware space.\r\n Please reduce the number of macros or "
            u"macro action number\uFF0Cand then download.");
  EXPECT_EQ(BuiltinText(TextKey::MACRO_DELETE_CONFIRM_OF_KEYS),
            u"Detect some key points to set this macro, \n  really need to remove this macro?  ");
  EXPECT_EQ(BuiltinText(TextKey::PROFILE_NEW), u"\\The new contextual  mode");
  EXPECT_EQ(BuiltinText(TextKey::PROFILE_TIP), u"The current contextual  mode: ");
  EXPECT_EQ(BuiltinText(TextKey::MAIN_BUTTON_TOVRAN_VER), u"");
  EXPECT_EQ(BuiltinText(TextKey::MAIN_UPDATE_BACKUP_NG), u"备份失败,请重新备份!");
  EXPECT_EQ(BuiltinText(TextKey::MAIN_NO_DEVICE_PROMPT),
            u"Device is not detected\uFF0Cthe key settings can not be displayed! ");
  EXPECT_EQ(BuiltinText(TextKey::MEDIA_Next_TRACK_5), u"Hello world");
  EXPECT_EQ(BuiltinText(TextKey::MACRO_KEYS_TISHI), u"hello world");
  EXPECT_EQ(BuiltinText(TextKey::A_TOP), u"hello");
  EXPECT_EQ(BuiltinText(TextKey::MENU_33), u"Exit(&X)");
  EXPECT_EQ(BuiltinText(TextKey::MENU_4), u"Close");

  // Every built-in text fits its slot, except one that is kept whole, and is safe to format.
  for (std::size_t i = 0; i < kTextKeyCount; ++i) {
    const auto key = static_cast<TextKey>(i);
    if (key != TextKey::EXTRA_MACRO_TOO_LONG) {
      EXPECT_LE(BuiltinText(key).size(), TextSlot::kMaxLength) << TextKeyName(key);
    }
    EXPECT_TRUE(PlaceholderKinds(BuiltinText(key)).has_value()) << TextKeyName(key);
  }
  EXPECT_EQ(BuiltinText(TextKey::EXTRA_MACRO_TOO_LONG).size(), 118u);
}

TEST(TextCatalog, KeysAreFoundByTheirExactName) {
  for (std::size_t i = 0; i < kTextKeyCount; ++i) {
    const auto key = static_cast<TextKey>(i);
    EXPECT_EQ(FindTextKey(TextKeyName(key)), key);
  }
  EXPECT_EQ(TextKeyName(TextKey::MEDIA_Next_TRACK_5), "MEDIA_Next_TRACK_5");
  EXPECT_EQ(FindTextKey("MEDIA_NEXT_TRACK_5"), std::nullopt);
  EXPECT_EQ(FindTextKey("GUANYU_JIESHAO"), std::nullopt);  // About texts have no slot
  EXPECT_EQ(FindTextKey(""), std::nullopt);
}

TEST(TextSlot, HoldsAtMost107UnitsAndNeverSplitsACharacter) {
  EXPECT_EQ(TextSlot::kCapacity, 108u);
  const std::u16string exact(107, u'a');
  EXPECT_EQ(TextSlot(exact).View(), exact);
  EXPECT_EQ(TextSlot(std::u16string(108, u'b')).View(), std::u16string(107, u'b'));
  EXPECT_EQ(TextSlot(std::u16string(500, u'宏')).View().size(), 107u);

  // A character outside the BMP straddling the limit is dropped whole.
  const std::u16string straddling = std::u16string(106, u'a') + u"\U0001F3AE";
  EXPECT_EQ(TextSlot(straddling).View(), std::u16string(106, u'a'));
  const std::u16string fitting = std::u16string(105, u'a') + u"\U0001F3AE";
  EXPECT_EQ(TextSlot(fitting).View(), fitting);

  // Blanks are kept; an embedded terminator ends the text as it would in a buffer.
  EXPECT_EQ(TextSlot(u"  a  ").View(), u"  a  ");
  EXPECT_EQ(TextSlot(std::u16string_view(u"ab\0cd", 5)).View(), u"ab");
  EXPECT_EQ(TextSlot(u"").View(), u"");

  // A built-in text is never cut, even the one longer than the buffer.
  TextSlot builtin;
  builtin.AssignBuiltin(BuiltinText(TextKey::EXTRA_MACRO_TOO_LONG));
  EXPECT_EQ(builtin.View(), BuiltinText(TextKey::EXTRA_MACRO_TOO_LONG));
  builtin.Assign(BuiltinText(TextKey::EXTRA_MACRO_TOO_LONG));
  EXPECT_EQ(builtin.View().size(), 107u);
}

TEST(LanguageTable, StartsWithTheBuiltInTextsAndResetsToThem) {
  LanguageTable table;
  for (std::size_t i = 0; i < kTextKeyCount; ++i) {
    const auto key = static_cast<TextKey>(i);
    EXPECT_EQ(table.Text(key), BuiltinText(key));
  }
  table.SetText(TextKey::MENU_1, u"导入");
  EXPECT_EQ(table.Text(TextKey::MENU_1), u"导入");
  table.Reset();
  EXPECT_EQ(table.Text(TextKey::MENU_1), u"Import");
}

}  // namespace
}  // namespace tarvolin
