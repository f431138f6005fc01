#pragma once
#include <string>
#include <string_view>

#include "i18n/language_choice.h"
#include "i18n/language_table.h"
#include "platform/ini_store.h"

namespace tarvolin {

// Reads one text from the section of `language`: a missing key (or file) gives one blank, an
// empty value gives an empty text, and anything past the slot's 107 characters is cut off.
std::u16string ReadLanguageText(const IniStore& language_file, Language language,
                                std::string_view key);

// Loads one group: reads the `language` choice afresh, then every key of the group into its
// slot. Returns the language that was chosen.
Language LoadTextGroup(const IniStore& language_file, TextGroup group, LanguageTable& table);

// The named moments of loading (each reads the choice afresh, so a changed file shows in the
// menus at their next opening while the start-up texts stay as they were).
Language LoadLanguageTable(const IniStore& language_file,
                           LanguageTable& table = GlobalLanguageTable());
Language LoadMainWindowCaptions(const IniStore& language_file,
                                LanguageTable& table = GlobalLanguageTable());
Language LoadCompositeTexts(const IniStore& language_file,
                            LanguageTable& table = GlobalLanguageTable());
Language LoadMenuButtonTexts(const IniStore& language_file,
                             LanguageTable& table = GlobalLanguageTable());
Language LoadTrayMenuTexts(const IniStore& language_file,
                           LanguageTable& table = GlobalLanguageTable());

// The two lines of the About window; they go straight to its controls and have no slot.
struct AboutTexts {
  std::u16string intro;
  std::u16string copyright;
};
AboutTexts LoadAboutTexts(const IniStore& language_file);

}  // namespace tarvolin
