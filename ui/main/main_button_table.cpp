#include "ui/main/main_button_table.h"

#include <array>

#include "ui/main/main_window_ids.h"

namespace tarvolin::mainwnd {
namespace {

using TK = TextKey;

const std::array<NamedButton, 28> kButtons = {{
    {id::kOk, u"CONTROL_OK", TK::PROFILE_OK, kButtonCaption, {}, false},
    {id::kCancel, u"CONTROL_CANCEL", TK::PROFILE_CANCLE, kButtonCaption, {}, false},
    {id::kProfileLabel, u"FUNC_PROFILES", {}, kProfileCaption, {}, false},
    {id::kApply, u"CONTROL2_APPLY", TK::PROFILE_APPLY, kButtonCaption, {}, false},
    {id::kMacro, u"FUNC_MACRO", TK::PROFILE_MACRO, kButtonCaption, {}, false},
    {id::kDefaults, u"FUNC_DEFAULT", TK::PROFILE_DEFAULT, kButtonCaption, {}, false},
    {id::kProfile1, u"FUNC_PROFILE1", TK::PROFILE_1, kButtonCaption, {}, false},
    {id::kProfile1 + 1, u"FUNC_PROFILE2", TK::PROFILE_2, kButtonCaption, {}, false},
    {id::kProfile1 + 2, u"FUNC_PROFILE3", TK::PROFILE_3, kButtonCaption, {}, false},
    {id::kLink, u"TOVRAN_LINK", {}, {}, {}, false},
    {id::kHelp, u"CONTROL_HELP", {}, {}, TK::MAIN_HELP_PROMPT, false},
    {id::kMinimize, u"CONTROL_MINIMIZE", {}, {}, TK::MAIN_MINIMIZE_PROMPT, false},
    {id::kClose, u"CONTROL_CLOSE", {}, {}, TK::MAIN_CLOSE_PROMPT, false},
    {id::kMenu, u"CONTROL_MENU", {}, {}, TK::MAIN_MENU_PROMPT, false},
    {id::kCapsLock, u"LOCK_CAPS", {}, {}, {}, true},
    {id::kNumLock, u"LOCK_NUM", {}, {}, {}, true},
    {id::kScrollLock, u"LOCK_SCROLL", {}, {}, {}, true},
    {id::kBankIndicator, u"LOCK_AB", {}, {}, {}, false},
    {id::kFlipIndicator, u"FLIP_0", {}, {}, {}, true},
    {id::kFlipLeft, u"FLIP_1", {}, {}, {}, false},
    {id::kFlipRight, u"FLIP_2", {}, {}, {}, false},
    {id::kVersion, u"TOVRAN_VER", TK::MAIN_BUTTON_TOVRAN_VER, kVersionCaption, {}, false},
    {id::kModeSwitch, u"FUNC_SWITCH", TK::MAIN_SWITCH_FUNCTION_TEXT, kSwitchCaption, {}, false},
    {1147, u"FUNC_REPORT1", {}, {}, {}, false},
    {1168, u"FUNC_REPORT2", {}, {}, {}, false},
    {1169, u"FUNC_REPORT3", {}, {}, {}, false},
    {1170, u"FUNC_REPORT4", {}, {}, {}, false},
    {id::kFn, u"KEY_FN", {}, {}, {}, false},
}};

}  // namespace

std::span<const NamedButton> NamedButtons() {
  return kButtons;
}

}  // namespace tarvolin::mainwnd
