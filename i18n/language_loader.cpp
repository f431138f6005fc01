#include "i18n/language_loader.h"

namespace tarvolin {
namespace {

std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

std::u16string ReadLanguageText(const IniStore& language_file, Language language,
                                std::string_view key) {
  const std::u16string value = language_file.Read(LanguageSectionName(language), Widen(key), u" ");
  return std::u16string(CutToUnits(value, TextSlot::kMaxLength));
}

Language LoadTextGroup(const IniStore& language_file, TextGroup group, LanguageTable& table) {
  const Language language = ReadLanguageChoice(language_file);
  for (TextKey key : TextGroupKeys(group)) {
    table.SetText(key, ReadLanguageText(language_file, language, TextKeyName(key)));
  }
  return language;
}

Language LoadLanguageTable(const IniStore& language_file, LanguageTable& table) {
  return LoadTextGroup(language_file, TextGroup::kMainTable, table);
}

Language LoadMainWindowCaptions(const IniStore& language_file, LanguageTable& table) {
  return LoadTextGroup(language_file, TextGroup::kMainWindowCaptions, table);
}

Language LoadCompositeTexts(const IniStore& language_file, LanguageTable& table) {
  return LoadTextGroup(language_file, TextGroup::kCompositeDialog, table);
}

Language LoadMenuButtonTexts(const IniStore& language_file, LanguageTable& table) {
  return LoadTextGroup(language_file, TextGroup::kMenuButton, table);
}

Language LoadTrayMenuTexts(const IniStore& language_file, LanguageTable& table) {
  return LoadTextGroup(language_file, TextGroup::kTrayMenu, table);
}

AboutTexts LoadAboutTexts(const IniStore& language_file) {
  const Language language = ReadLanguageChoice(language_file);
  return {ReadLanguageText(language_file, language, kAboutIntroKey),
          ReadLanguageText(language_file, language, kAboutCopyrightKey)};
}

}  // namespace tarvolin
