#include "i18n/language_choice.h"

#include <climits>

namespace tarvolin {
namespace {

bool IsCrtSpace(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

}  // namespace

int ParseLeadingInt(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCrtSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

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
