#include "i18n/language_choice.h"

#include "platform/number_text.h"

namespace tarvolin {
int ReadLanguageValue(const IniStore& language_file) {
  // The default is one blank, which reads as 0 like a missing value.
  return ParseLeadingInt(language_file.Read(kLanguageChoiceSection, kLanguageChoiceKey, u" "));
}

Language ReadLanguageChoice(const IniStore& language_file) {
  return ReadLanguageValue(language_file) == 1 ? Language::kEnglish : Language::kChinese;
}

std::u16string_view LanguageSectionName(Language language) {
  return language == Language::kEnglish ? kEnglishSection : kChineseSection;
}

}  // namespace tarvolin
