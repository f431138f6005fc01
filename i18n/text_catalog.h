#pragma once
#include <optional>
#include <span>
#include <string_view>

#include "i18n/text_key.h"

namespace tarvolin {

// The groups of texts that are read from the language file together, each at its own moment.
enum class TextGroup {
  kMainTable,           // once at start-up, before any window exists
  kMainWindowCaptions,  // at the end of the main window's initialisation
  kCompositeDialog,     // every time the key dialog initialises
  kMenuButton,          // every time the main window's menu button is clicked
  kTrayMenu,            // every time the tray menu opens
};

// Texts that are read straight into the About window and kept nowhere else.
inline constexpr std::string_view kAboutIntroKey = "GUANYU_JIESHAO";
inline constexpr std::string_view kAboutCopyrightKey = "GUANYU_BANQUAN";

// The language-file key of a slot ("UNKNOWN_KEY").
std::string_view TextKeyName(TextKey key);

// The text the program is built with; also the reference for a text's format placeholders.
std::u16string_view BuiltinText(TextKey key);

// Finds a slot by its language-file key; the comparison is exact, as the keys are fixed.
std::optional<TextKey> FindTextKey(std::string_view name);

// The keys of a group in load order. The captions group shares three slots with the main table.
std::span<const TextKey> TextGroupKeys(TextGroup group);

// Every key a complete language file has in each language section: all slots and the About texts.
std::span<const std::string_view> LanguageFileKeys();

}  // namespace tarvolin
