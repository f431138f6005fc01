#pragma once
// The profile manager's own words: the list's column titles and the buttons' tooltips. The
// Chinese ones are the dialog's fixed wording; an English language file gets English ones.
#include <array>
#include <string_view>

#include "i18n/language_choice.h"

namespace tarvolin::dialogs {

struct ProfileManagerTexts {
  std::array<std::wstring_view, 3> columns;  // tick, name, folder
  // OK, Cancel, Add, Load, Delete, Apply, in the dialog's button order.
  std::array<std::wstring_view, 6> tooltips;
};

const ProfileManagerTexts& TextsFor(Language language);

}  // namespace tarvolin::dialogs
