#pragma once
// The control ids of dialog template 134 and the skin keys that place them.
#include <windows.h>

#include <array>
#include <string_view>

#include "resources/app/resource_ids.h"

namespace tarvolin::composite::ids {

inline constexpr int kG9Button = 1143;  // the main window's G9: macros only

inline constexpr int kApply = IDC_COMPOSITE_APPLY;
inline constexpr int kTabKey = IDC_COMPOSITE_TAB_KEY;
inline constexpr int kTabMacro = IDC_COMPOSITE_TAB_MACRO;
inline constexpr int kTabMedia = IDC_COMPOSITE_TAB_MEDIA;
inline constexpr int kTabFunction = IDC_COMPOSITE_TAB_FUNCTION;
inline constexpr int kClear = IDC_COMPOSITE_CLEAR;
inline constexpr int kMask = IDC_COMPOSITE_MASK;
inline constexpr int kTitle = IDC_COMPOSITE_TITLE;
inline constexpr int kOsk = IDC_COMPOSITE_OSK;
inline constexpr int kKeyInput = IDC_COMPOSITE_KEY_INPUT;
inline constexpr int kMediaList = IDC_COMPOSITE_MEDIA_LIST;
inline constexpr int kFunctionList = IDC_COMPOSITE_FUNCTION_LIST;
inline constexpr int kMacroCombo = IDC_MACRO_LIST;
inline constexpr int kCycles = IDC_MACRO_CYCLES;
inline constexpr int kRecord = IDC_MACRO_RECORD;
inline constexpr int kRecordDelay = IDC_MACRO_RECORD_DELAY;
inline constexpr int kCyclesLabel = IDC_MACRO_CYCLES_LABEL;
inline constexpr int kRecordDelayLabel = IDC_MACRO_RECORD_DELAY_LABEL;
inline constexpr int kPromptKeySetting = IDC_COMPOSITE_PROMPT_KEY_SETTING;
inline constexpr int kPromptMacroName = IDC_COMPOSITE_PROMPT_MACRO_NAME;
inline constexpr int kPromptSingle = IDC_COMPOSITE_PROMPT_SINGLE;
inline constexpr int kPromptMedia = IDC_COMPOSITE_PROMPT_MEDIA;
inline constexpr int kPromptFunction = IDC_COMPOSITE_PROMPT_FUNCTION;

inline constexpr int kFunctionCount = 11;

// Button captions: Tahoma, white, centred on one line.
inline constexpr COLORREF kCaptionText = RGB(255, 255, 255);
inline constexpr COLORREF kDisabledCaptionText = RGB(110, 116, 124);
inline constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
inline constexpr int kCaptionPoints = 9;

struct Placed {
  int id;
  std::u16string_view skin_key;
};

// Image buttons, each cut from the picture set of the tab shown.
inline constexpr std::array<Placed, 19> kImageButtons{{
    {IDC_COMPOSITE_TITLE, u"CONTROL_TITLE"},
    {IDC_COMPOSITE_TAB_KEY, u"CONTROL_KEY"},
    {IDC_COMPOSITE_TAB_MACRO, u"CONTROL_MACRO"},
    {IDC_COMPOSITE_TAB_MEDIA, u"CONTROL_MEDIA"},
    {IDC_COMPOSITE_TAB_FUNCTION, u"CONTROL_FUNCTION"},
    {IDC_COMPOSITE_CLEAR, u"CONTROL_CLEAR"},
    {IDC_COMPOSITE_MASK, u"CONTROL_MASK"},
    {IDC_COMPOSITE_OSK, u"CONTROL_OSK"},
    {IDOK, u"CONTROL_OK"},
    {IDCANCEL, u"CONTROL_CANCEL"},
    {IDC_MACRO_ADD, u"FUNC_MACRO_ADD"},
    {IDC_MACRO_DELETE, u"FUNC_MACRO_DELETE"},
    {IDC_MACRO_RECORD, u"FUNC_MACRO_RECORD"},
    {IDC_MACRO_DELETE_ACTION, u"FUNC_MACRO_DELETE2"},
    {IDC_MACRO_CLEAR_ACTIONS, u"FUNC_MACRO_CLEAR"},
    {IDC_MACRO_TO_TOP, u"FUNC_MACRO_UP_TOP"},
    {IDC_MACRO_UP, u"FUNC_MACRO_UP"},
    {IDC_MACRO_DOWN, u"FUNC_MACRO_DOWN"},
    {IDC_MACRO_TO_BOTTOM, u"FUNC_MACRO_DOWN_BOTTOM"},
}};

// Plain controls, moved and sized from the skin.
inline constexpr std::array<Placed, 14> kPlainControls{{
    {IDC_COMPOSITE_PROMPT_KEY_SETTING, u"KEY_SETTING"},
    {IDC_COMPOSITE_PROMPT_SINGLE, u"TISHI_SINGLE_STATIC"},
    {IDC_COMPOSITE_KEY_INPUT, u"FUNC_KEY_INPUT"},
    {IDC_COMPOSITE_PROMPT_MEDIA, u"MEDIA_SETTING_TISHI"},
    {IDC_COMPOSITE_MEDIA_LIST, u"FUNC_MEDIA_SELECT"},
    {IDC_COMPOSITE_PROMPT_FUNCTION, u"FUNCTION_KEY_SETTING_TISHI"},
    {IDC_COMPOSITE_FUNCTION_LIST, u"FUNC_FUNCTION_SELECT"},
    {IDC_COMPOSITE_PROMPT_MACRO_NAME, u"MARCO_NAME_SETTING"},
    {IDC_MACRO_LIST, u"FUNC_MACRO_LIST"},
    {IDC_MACRO_ACTIONS, u"FUNC_MACRO_LIST2"},
    {IDC_MACRO_CYCLES_LABEL, u"FUNC_MACRO_CYCLES_PROMPT"},
    {IDC_MACRO_CYCLES, u"FUNC_MACRO_CYCLES"},
    {IDC_MACRO_RECORD_DELAY, u"FUNC_MACRO_RECORD_DELAY"},
    {IDC_MACRO_RECORD_DELAY_LABEL, u"FUNC_MACRO_RECORD_DELAY2"},
}};

}  // namespace tarvolin::composite::ids
