#pragma once
#include <string_view>

#include "platform/ini_store.h"

namespace tarvolin {

enum class Language { kChinese = 0, kEnglish = 1 };

// The language file, relative to the program folder, and its fixed section and key names.
inline constexpr std::u16string_view kLanguageFileRelativePath = u"Skins\\language.ini";
inline constexpr std::u16string_view kLanguageChoiceSection = u"LANGUAGE";
inline constexpr std::u16string_view kLanguageChoiceKey = u"language";
inline constexpr std::u16string_view kChineseSection = u"CHINESE";
inline constexpr std::u16string_view kEnglishSection = u"ENGINSH";

// The raw `language` value (a missing file or key reads as 0). The skin's lighting labels pick
// their sections with it too.
int ReadLanguageValue(const IniStore& language_file);

// 1 selects English; every other value, and a missing file or key, selects Chinese.
Language ReadLanguageChoice(const IniStore& language_file);

std::u16string_view LanguageSectionName(Language language);

}  // namespace tarvolin
