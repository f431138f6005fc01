#include "i18n/text_catalog.h"

#include <array>
#include <utility>

namespace tarvolin {
namespace {

struct TextEntry {
  TextKey key;
  std::string_view name;
  std::u16string_view builtin;
};

// The built-in wording is kept verbatim, blanks and spelling included: callers and stored
// settings (the record-delay value name) depend on it when no language file is loaded.
constexpr std::array<TextEntry, kTextKeyCount> kEntries = {{
    {TextKey::MACRO_ACTION_RECORD_DELAY, "MACRO_ACTION_RECORD_DELAY", u"RecordDelay"},
    {TextKey::MACRO_NEW_PREFIX, "MACRO_NEW_PREFIX", u"Macro"},
    {TextKey::MACRO_ERR_MAX, "MACRO_ERR_MAX", u"The maximum number of macro: %d   "},
    {TextKey::MACRO_ERR_SAME, "MACRO_ERR_SAME", u"Same macro name!   "},
    {TextKey::MACRO_ERR_NAME_SYSTEM, "MACRO_ERR_NAME_SYSTEM",
     u"This macro is used in the system! "},
    {TextKey::MACRO_DEFAULT_NAME, "MACRO_DEFAULT_NAME", u"Empty Macro"},
    {TextKey::MACRO_ERR_RECORD, "MACRO_ERR_RECORD", u"Please stop the macro record first! "},
    {TextKey::MACRO_KEYS_TISHI, "MACRO_KEYS_TISHI", u"hello world"},
    {TextKey::MACRO_ACTION_TISHI, "MACRO_ACTION_TISHI", u"hello world"},
    {TextKey::MACRO_DELAY_MS, "MACRO_DELAY_MS", u"hello world"},
    {TextKey::MACRO_ACTION_CLEAR_CONFIRM, "MACRO_ACTION_CLEAR_CONFIRM",
     u"Really need to clear the macro action? "},
    {TextKey::MACRO_ACTION_ERR_MODIFY, "MACRO_ACTION_ERR_MODIFY",
     u"You can not edit, use the macro record button. "},
    {TextKey::MACRO_ACTION_ERR_DELAY_MIN, "MACRO_ACTION_ERR_DELAY_MIN",
     u"Minimum delay time is: %d(ms) "},
    {TextKey::MACRO_ACTION_ERR_DELAY_MAX, "MACRO_ACTION_ERR_DELAY_MAX",
     u"Maximum delay time is: %d(ms) "},
    {TextKey::EXTRA_MACRO_TOO_LONG, "EXTRA_MACRO_TOO_LONG",
     u"Macro space exceeds the hardware space.\r\n Please reduce the number of macros or macro "
     u"action number，and then download."},
    {TextKey::MACRO_ACTION_RECORD, "MACRO_ACTION_RECORD", u"Record"},
    {TextKey::MACRO_ACTION_STOP_RECORD, "MACRO_ACTION_STOP_RECORD", u"Stop Record"},
    {TextKey::UNKNOWN_KEY, "UNKNOWN_KEY", u"Unknown Key: %03x"},
    {TextKey::MEDIA_PALYER_1, "MEDIA_PALYER_1", u"Hello world"},
    {TextKey::MEDIA_PALY_PAUSE_2, "MEDIA_PALY_PAUSE_2", u"Hello world"},
    {TextKey::MEDIA_STOP_PALY_3, "MEDIA_STOP_PALY_3", u"Hello world"},
    {TextKey::MEDIA_PREV_TRACK_4, "MEDIA_PREV_TRACK_4", u"Hello world"},
    {TextKey::MEDIA_Next_TRACK_5, "MEDIA_Next_TRACK_5", u"Hello world"},
    {TextKey::MEDIA_V_LOW_6, "MEDIA_V_LOW_6", u"Hello world"},
    {TextKey::MEDIA_V_ADD_7, "MEDIA_V_ADD_7", u"Hello world"},
    {TextKey::MEDIA_MUTE_8, "MEDIA_MUTE_8", u"Hello world"},
    {TextKey::MEDIA_WWW_HOME_9, "MEDIA_WWW_HOME_9", u"Hello world"},
    {TextKey::MEDIA_WWW_REFRESH_10, "MEDIA_WWW_REFRESH_10", u"Hello world"},
    {TextKey::MEDIA_WWW_STOP_11, "MEDIA_WWW_STOP_11", u"Hello world"},
    {TextKey::MEDIA_WWW_BACK_12, "MEDIA_WWW_BACK_12", u"Hello world"},
    {TextKey::MEDIA_WWW_FORWARD_13, "MEDIA_WWW_FORWARD_13", u"Hello world"},
    {TextKey::MEDIA_WWW_FAVORITE_14, "MEDIA_WWW_FAVORITE_14", u"Hello world"},
    {TextKey::MEDIA_WWW_SEARCH_15, "MEDIA_WWW_SEARCH_15", u"Hello world"},
    {TextKey::MEDIA_MY_PC_16, "MEDIA_MY_PC_16", u"Hello world"},
    {TextKey::MEDIA_CALC_17, "MEDIA_CALC_17", u"Hello world"},
    {TextKey::MEDIA_MAIL_18, "MEDIA_MAIL_18", u"Hello world"},
    {TextKey::FUNC_KEY_DESC1, "FUNC_KEY_DESC1", u"Open"},
    {TextKey::FUNC_KEY_DESC2, "FUNC_KEY_DESC2", u"New"},
    {TextKey::FUNC_KEY_DESC3, "FUNC_KEY_DESC3", u"Undo"},
    {TextKey::FUNC_KEY_DESC4, "FUNC_KEY_DESC4", u"Save"},
    {TextKey::FUNC_KEY_DESC5, "FUNC_KEY_DESC5", u"Copy"},
    {TextKey::FUNC_KEY_DESC6, "FUNC_KEY_DESC6", u"Cut"},
    {TextKey::FUNC_KEY_DESC7, "FUNC_KEY_DESC7", u"Paste"},
    {TextKey::FUNC_KEY_DESC8, "FUNC_KEY_DESC8", u"Find"},
    {TextKey::FUNC_KEY_DESC9, "FUNC_KEY_DESC9", u"Select All"},
    {TextKey::FUNC_KEY_DESC10, "FUNC_KEY_DESC10", u"Zoom-"},
    {TextKey::FUNC_KEY_DESC11, "FUNC_KEY_DESC11", u"Zoom+"},
    {TextKey::APPLY_PROMPT, "APPLY_PROMPT", u"No Use!"},
    {TextKey::MACRO_DELETE_CONFIRM_OF_KEYS, "MACRO_DELETE_CONFIRM_OF_KEYS",
     u"Detect some key points to set this macro, \n  really need to remove this macro?  "},
    {TextKey::KEY_PROMPT, "KEY_PROMPT", u"No Use!"},
    {TextKey::KEY_PROMPT_SET, "KEY_PROMPT_SET", u"Keys, Set: "},
    {TextKey::KEY_PROMPT_SINGLE, "KEY_PROMPT_SINGLE", u"Key("},
    {TextKey::KEY_PROMPT_MACRO, "KEY_PROMPT_MACRO", u"Macro("},
    {TextKey::KEY_PROMPT_MEDIA, "KEY_PROMPT_MEDIA", u"Media("},
    {TextKey::KEY_PROMPT_FUNCTION, "KEY_PROMPT_FUNCTION", u"Function("},
    {TextKey::DEFAULT_PROFILE_NAME, "DEFAULT_PROFILE_NAME", u"<Default Profile>"},
    {TextKey::PROFILE_SELECT_PROMPT, "PROFILE_SELECT_PROMPT",
     u"Whether to save the profile settings made?"},
    {TextKey::PROFILE_SEELCT_PROMPT2, "PROFILE_SEELCT_PROMPT2",
     u"When fast switch scene mode, you must first close the editor dialog box."},
    {TextKey::PROFILE_SELECT_PROMPT3, "PROFILE_SELECT_PROMPT3",
     u"Scene mode are editing, whether to give up the modification and change its mode?"},
    {TextKey::PROFILE_LOAD_PROMPT, "PROFILE_LOAD_PROMPT",
     u"Switch scene mode will automatically stop the macro play!"},
    {TextKey::PROFILE_CHECK_PROMPT, "PROFILE_CHECK_PROMPT",
     u"Scene mode file does not exist, load the default Settings!"},
    {TextKey::PROFILE_FORMAT_ERROR, "PROFILE_FORMAT_ERROR",
     u"wrong file format, revert to the default values: \n  %s"},
    {TextKey::PROFILE_NEW, "PROFILE_NEW", u"\\The new contextual  mode"},
    {TextKey::PROFILE_TIP, "PROFILE_TIP", u"The current contextual  mode: "},
    {TextKey::PROFILE_EDITING, "PROFILE_EDITING",
     u"You are editing, set not applications, can't change its mode"},
    {TextKey::EXTRA_PROFILE_SPACE_TIGHT, "EXTRA_PROFILE_SPACE_TIGHT",
     u"shortage of hardware space, cancelled the macro name of storage."},
    {TextKey::MAIN_UPDATE_ERROR_TEXT, "MAIN_UPDATE_ERROR_TEXT", u"请选择正确的更新文件! "},
    {TextKey::MAIN_BOOT_ERROR_TEXT, "MAIN_BOOT_ERROR_TEXT", u"无法进入Boot模式! "},
    {TextKey::MAIN_SHELL_ERROR_TEXT, "MAIN_SHELL_ERROR_TEXT", u"无法执行更新文件! "},
    {TextKey::MAIN_UPDATE_BACKUP_OK, "MAIN_UPDATE_BACKUP_OK", u"备份成功!"},
    {TextKey::MAIN_UPDATE_BACKUP_NG, "MAIN_UPDATE_BACKUP_NG", u"备份失败,请重新备份!"},
    {TextKey::KEYBOARD_TRAY_DESC, "KEYBOARD_TRAY_DESC", u"Single-handed keyboard Driver "},
    {TextKey::MAIN_CAPTION, "MAIN_CAPTION", u"Gaming Keyboard Settings"},
    {TextKey::MAIN_HELP_PROMPT, "MAIN_HELP_PROMPT", u"Help"},
    {TextKey::MAIN_MINIMIZE_PROMPT, "MAIN_MINIMIZE_PROMPT", u"Minimize"},
    {TextKey::MAIN_MENU_PROMPT, "MAIN_MENU_PROMPT", u"Menu"},
    {TextKey::MAIN_CLOSE_PROMPT, "MAIN_CLOSE_PROMPT", u"Close"},
    {TextKey::MAIN_BUTTON_TOVRAN_VER, "MAIN_BUTTON_TOVRAN_VER", u""},
    {TextKey::MAIN_PROMPT_DEFAULT, "MAIN_PROMPT_DEFAULT",
     u"Do you want to restore the default settings?"},
    {TextKey::MAIN_PROMPT_INPORT, "MAIN_PROMPT_INPORT", u"File format error, import failed! "},
    {TextKey::MAIN_PROMPT_DRIVER_TEXT, "MAIN_PROMPT_DRIVER_TEXT",
     u"Detects that the driver is not installed keyboard, \r\npress [OK] to start the driver "
     u"installation!"},
    {TextKey::MAIN_PROMPT_DRIVER_TITLE, "MAIN_PROMPT_DRIVER_TITLE", u"Keyboard Driver"},
    {TextKey::MAIN_SWITCH_FUNCTION_TEXT, "MAIN_SWITCH_FUNCTION_TEXT",
     u"Switch to the color keys mode"},
    {TextKey::MAIN_SWITCH_COLOR_TEXT, "MAIN_SWITCH_COLOR_TEXT",
     u"Switch to the function keys mode"},
    {TextKey::MAIN_DEFAULT_MATRIX_PROMPT, "MAIN_DEFAULT_MATRIX_PROMPT",
     u"Reads the default keyboard layout failure"},
    {TextKey::MAIN_NO_DEVICE_PROMPT, "MAIN_NO_DEVICE_PROMPT",
     u"Device is not detected，the key settings can not be displayed! "},
    {TextKey::PROFILE_1, "PROFILE_1", u"hello"},
    {TextKey::PROFILE_2, "PROFILE_2", u"hello"},
    {TextKey::PROFILE_3, "PROFILE_3", u"hello"},
    {TextKey::PROFILE_MACRO, "PROFILE_MACRO", u"hello"},
    {TextKey::PROFILE_DEFAULT, "PROFILE_DEFAULT", u"hello"},
    {TextKey::PROFILE_OK, "PROFILE_OK", u"hello"},
    {TextKey::PROFILE_CANCLE, "PROFILE_CANCLE", u"hello"},
    {TextKey::PROFILE_APPLY, "PROFILE_APPLY", u"hello"},
    {TextKey::COMPOSITE_PROMPT_CLEAR, "COMPOSITE_PROMPT_CLEAR",
     u"Restore the default functiong of buttons"},
    {TextKey::COMPOSITE_PROMPT_OSK, "COMPOSITE_PROMPT_OSK", u"Open the on-screen keyboard"},
    {TextKey::COMPOSITE_MACRO_OVER, "COMPOSITE_MACRO_OVER",
     u"Macro space beyond hardware store size"},
    {TextKey::MACRO_CYCLES, "MACRO_CYCLES", u"Cycles"},
    {TextKey::RECORD_DELAY, "RECORD_DELAY", u"Record Delay"},
    {TextKey::SINGLE_KEY, "SINGLE_KEY", u"hello"},
    {TextKey::MACRO_SETTING, "MACRO_SETTING", u"hello"},
    {TextKey::MULTI_MEDIA, "MULTI_MEDIA", u"hello"},
    {TextKey::FUNCTION_KEY, "FUNCTION_KEY", u"hello"},
    {TextKey::A_TOP, "A_TOP", u"hello"},
    {TextKey::A_UP, "A_UP", u"hello"},
    {TextKey::A_DOWN, "A_DOWN", u"hello"},
    {TextKey::A_BOTTOM, "A_BOTTOM", u"hello"},
    {TextKey::A_RECORD, "A_RECORD", u"hello"},
    {TextKey::A_DELETE, "A_DELETE", u"hello"},
    {TextKey::A_CLEAR, "A_CLEAR", u"hello"},
    {TextKey::MACRO_OK, "MACRO_OK", u"hello"},
    {TextKey::MACRO_CANCLE, "MACRO_CANCLE", u"hello"},
    {TextKey::SINGLE_STATIC, "SINGLE_STATIC", u"hello"},
    {TextKey::MACRO_NAME_SETTING, "MACRO_NAME_SETTING", u"hello"},
    {TextKey::KEY_SETTING_TISHI, "KEY_SETTING_TISHI", u"hello"},
    {TextKey::MACRO_EDIT_TISHI, "MACRO_EDIT_TISHI", u"hello"},
    {TextKey::MEDIA_EDIT_TISHI, "MEDIA_EDIT_TISHI", u"hello"},
    {TextKey::FUNCTION_TISHI, "FUNCTION_TISHI", u"hello"},
    {TextKey::MENU_1, "MENU_1", u"Import"},
    {TextKey::MENU_2, "MENU_2", u"Export"},
    {TextKey::MENU_3, "MENU_3", u"About"},
    {TextKey::MENU_4, "MENU_4", u"Close"},
    {TextKey::MENU_11, "MENU_11", u"Open(&O)"},
    {TextKey::MENU_22, "MENU_22", u"About(&A)"},
    {TextKey::MENU_33, "MENU_33", u"Exit(&X)"},
}};

constexpr bool EntriesFollowKeyOrder() {
  for (std::size_t i = 0; i < kEntries.size(); ++i) {
    if (TextKeyIndex(kEntries[i].key) != i) return false;
  }
  return true;
}
static_assert(EntriesFollowKeyOrder(), "kEntries must list the keys in enum order");

constexpr std::array kMainTable = {
    TextKey::MACRO_ACTION_RECORD_DELAY,
    TextKey::MACRO_NEW_PREFIX,
    TextKey::MACRO_ERR_MAX,
    TextKey::MACRO_ERR_SAME,
    TextKey::MACRO_ERR_NAME_SYSTEM,
    TextKey::MACRO_DEFAULT_NAME,
    TextKey::MACRO_ERR_RECORD,
    TextKey::MACRO_KEYS_TISHI,
    TextKey::MACRO_ACTION_TISHI,
    TextKey::MACRO_DELAY_MS,
    TextKey::MACRO_ACTION_CLEAR_CONFIRM,
    TextKey::MACRO_ACTION_ERR_MODIFY,
    TextKey::MACRO_ACTION_ERR_DELAY_MIN,
    TextKey::MACRO_ACTION_ERR_DELAY_MAX,
    TextKey::EXTRA_MACRO_TOO_LONG,
    TextKey::MACRO_ACTION_RECORD,
    TextKey::MACRO_ACTION_STOP_RECORD,
    TextKey::UNKNOWN_KEY,
    TextKey::MEDIA_PALYER_1,
    TextKey::MEDIA_PALY_PAUSE_2,
    TextKey::MEDIA_STOP_PALY_3,
    TextKey::MEDIA_PREV_TRACK_4,
    TextKey::MEDIA_Next_TRACK_5,
    TextKey::MEDIA_V_LOW_6,
    TextKey::MEDIA_V_ADD_7,
    TextKey::MEDIA_MUTE_8,
    TextKey::MEDIA_WWW_HOME_9,
    TextKey::MEDIA_WWW_REFRESH_10,
    TextKey::MEDIA_WWW_STOP_11,
    TextKey::MEDIA_WWW_BACK_12,
    TextKey::MEDIA_WWW_FORWARD_13,
    TextKey::MEDIA_WWW_FAVORITE_14,
    TextKey::MEDIA_WWW_SEARCH_15,
    TextKey::MEDIA_MY_PC_16,
    TextKey::MEDIA_CALC_17,
    TextKey::MEDIA_MAIL_18,
    TextKey::FUNC_KEY_DESC1,
    TextKey::FUNC_KEY_DESC2,
    TextKey::FUNC_KEY_DESC3,
    TextKey::FUNC_KEY_DESC4,
    TextKey::FUNC_KEY_DESC5,
    TextKey::FUNC_KEY_DESC6,
    TextKey::FUNC_KEY_DESC7,
    TextKey::FUNC_KEY_DESC8,
    TextKey::FUNC_KEY_DESC9,
    TextKey::FUNC_KEY_DESC10,
    TextKey::FUNC_KEY_DESC11,
    TextKey::APPLY_PROMPT,
    TextKey::MACRO_DELETE_CONFIRM_OF_KEYS,
    TextKey::KEY_PROMPT,
    TextKey::KEY_PROMPT_SET,
    TextKey::KEY_PROMPT_SINGLE,
    TextKey::KEY_PROMPT_MACRO,
    TextKey::KEY_PROMPT_MEDIA,
    TextKey::KEY_PROMPT_FUNCTION,
    TextKey::DEFAULT_PROFILE_NAME,
    TextKey::PROFILE_SELECT_PROMPT,
    TextKey::PROFILE_SEELCT_PROMPT2,
    TextKey::PROFILE_SELECT_PROMPT3,
    TextKey::PROFILE_LOAD_PROMPT,
    TextKey::PROFILE_CHECK_PROMPT,
    TextKey::PROFILE_FORMAT_ERROR,
    TextKey::PROFILE_NEW,
    TextKey::PROFILE_TIP,
    TextKey::PROFILE_EDITING,
    TextKey::EXTRA_PROFILE_SPACE_TIGHT,
    TextKey::MAIN_UPDATE_ERROR_TEXT,
    TextKey::MAIN_BOOT_ERROR_TEXT,
    TextKey::MAIN_SHELL_ERROR_TEXT,
    TextKey::MAIN_UPDATE_BACKUP_OK,
    TextKey::MAIN_UPDATE_BACKUP_NG,
    TextKey::KEYBOARD_TRAY_DESC,
    TextKey::MAIN_CAPTION,
    TextKey::MAIN_HELP_PROMPT,
    TextKey::MAIN_MINIMIZE_PROMPT,
    TextKey::MAIN_MENU_PROMPT,
    TextKey::MAIN_CLOSE_PROMPT,
    TextKey::MAIN_BUTTON_TOVRAN_VER,
    TextKey::MAIN_PROMPT_DEFAULT,
    TextKey::MAIN_PROMPT_INPORT,
    TextKey::MAIN_PROMPT_DRIVER_TEXT,
    TextKey::MAIN_PROMPT_DRIVER_TITLE,
    TextKey::MAIN_SWITCH_FUNCTION_TEXT,
    TextKey::MAIN_SWITCH_COLOR_TEXT,
    TextKey::MAIN_DEFAULT_MATRIX_PROMPT,
    TextKey::MAIN_NO_DEVICE_PROMPT,
};
static_assert(kMainTable.size() == 86);

constexpr std::array kMainWindowCaptions = {
    TextKey::PROFILE_1,        TextKey::PROFILE_2,         TextKey::PROFILE_3,
    TextKey::PROFILE_MACRO,    TextKey::PROFILE_DEFAULT,   TextKey::PROFILE_OK,
    TextKey::PROFILE_CANCLE,   TextKey::PROFILE_APPLY,     TextKey::MAIN_MINIMIZE_PROMPT,
    TextKey::MAIN_MENU_PROMPT, TextKey::MAIN_CLOSE_PROMPT,
};
static_assert(kMainWindowCaptions.size() == 11);

constexpr std::array kCompositeDialog = {
    TextKey::COMPOSITE_PROMPT_CLEAR,
    TextKey::COMPOSITE_PROMPT_OSK,
    TextKey::COMPOSITE_MACRO_OVER,
    TextKey::MACRO_CYCLES,
    TextKey::RECORD_DELAY,
    TextKey::SINGLE_KEY,
    TextKey::MACRO_SETTING,
    TextKey::MULTI_MEDIA,
    TextKey::FUNCTION_KEY,
    TextKey::A_TOP,
    TextKey::A_UP,
    TextKey::A_DOWN,
    TextKey::A_BOTTOM,
    TextKey::A_RECORD,
    TextKey::A_DELETE,
    TextKey::A_CLEAR,
    TextKey::MACRO_OK,
    TextKey::MACRO_CANCLE,
    TextKey::SINGLE_STATIC,
    TextKey::MACRO_NAME_SETTING,
    TextKey::KEY_SETTING_TISHI,
    TextKey::MACRO_EDIT_TISHI,
    TextKey::MEDIA_EDIT_TISHI,
    TextKey::FUNCTION_TISHI,
};
static_assert(kCompositeDialog.size() == 24);

// MENU_4 is the optional fourth entry (Close) that the menu routine sets as well.
constexpr std::array kMenuButton = {
    TextKey::MENU_1,
    TextKey::MENU_2,
    TextKey::MENU_3,
    TextKey::MENU_4,
};

constexpr std::array kTrayMenu = {
    TextKey::MENU_11,
    TextKey::MENU_22,
    TextKey::MENU_33,
};

constexpr std::array<std::string_view, kTextKeyCount + 2> MakeLanguageFileKeys() {
  std::array<std::string_view, kTextKeyCount + 2> keys{};
  for (std::size_t i = 0; i < kEntries.size(); ++i) keys[i] = kEntries[i].name;
  keys[kTextKeyCount] = kAboutIntroKey;
  keys[kTextKeyCount + 1] = kAboutCopyrightKey;
  return keys;
}
constexpr auto kLanguageFileKeys = MakeLanguageFileKeys();

}  // namespace

std::string_view TextKeyName(TextKey key) {
  return kEntries[TextKeyIndex(key)].name;
}

std::u16string_view BuiltinText(TextKey key) {
  return kEntries[TextKeyIndex(key)].builtin;
}

std::optional<TextKey> FindTextKey(std::string_view name) {
  for (const TextEntry& entry : kEntries) {
    if (entry.name == name) return entry.key;
  }
  return std::nullopt;
}

std::span<const TextKey> TextGroupKeys(TextGroup group) {
  switch (group) {
    case TextGroup::kMainTable:
      return kMainTable;
    case TextGroup::kMainWindowCaptions:
      return kMainWindowCaptions;
    case TextGroup::kCompositeDialog:
      return kCompositeDialog;
    case TextGroup::kMenuButton:
      return kMenuButton;
    case TextGroup::kTrayMenu:
      return kTrayMenu;
  }
  return {};
}

std::span<const std::string_view> LanguageFileKeys() {
  return kLanguageFileKeys;
}

}  // namespace tarvolin
