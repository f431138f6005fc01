#pragma once
#include <array>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/safe_printf.h"
#include "i18n/text_catalog.h"
#include "i18n/text_key.h"
#include "i18n/text_slot.h"

namespace tarvolin {

// The program's user-visible texts, one fixed slot per language-file key. It starts with the
// built-in texts; loading a group from the language file replaces that group's slots.
// Reads may come from any thread, so every access copies under the table's own lock.
class LanguageTable {
 public:
  LanguageTable();
  LanguageTable(const LanguageTable&) = delete;
  LanguageTable& operator=(const LanguageTable&) = delete;

  std::u16string Text(TextKey key) const;
  void SetText(TextKey key, std::u16string_view text);

  // The slot's text formatted with `args`; a text whose placeholders do not match the built-in
  // text is not trusted and the built-in text is formatted instead.
  std::u16string Format(TextKey key, std::initializer_list<FormatArg> args) const;

  // Puts every slot back to its built-in text.
  void Reset();

 private:
  mutable std::mutex mutex_;
  std::array<TextSlot, kTextKeyCount> slots_;
};

// The process-wide table every window and message reads.
LanguageTable& GlobalLanguageTable();

// The loaded text of a slot in the process-wide table.
std::u16string LanguageText(TextKey key);
// The same by language-file key ("UNKNOWN_KEY"); empty optional for a name that is no slot.
std::optional<std::u16string> FindLanguageText(std::string_view key_name);
std::u16string FormatLanguageText(TextKey key, std::initializer_list<FormatArg> args);

// The hook for code that names texts by language-file key and formats them itself: the loaded
// text, except that a text with placeholders whose loaded wording does not take the same
// arguments gives the built-in text instead. Empty for a name that is no slot.
std::u16string LanguageTextByName(std::string_view key_name);

// True when the built-in text takes arguments, so its loaded wording must take the same ones.
bool IsFormatText(TextKey key);

}  // namespace tarvolin
