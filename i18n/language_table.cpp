#include "i18n/language_table.h"

namespace tarvolin {

LanguageTable::LanguageTable() {
  Reset();
}

std::u16string LanguageTable::Text(TextKey key) const {
  std::lock_guard lock(mutex_);
  return std::u16string(slots_[TextKeyIndex(key)].View());
}

void LanguageTable::SetText(TextKey key, std::u16string_view text) {
  std::lock_guard lock(mutex_);
  slots_[TextKeyIndex(key)].Assign(text);
}

std::u16string LanguageTable::Format(TextKey key, std::initializer_list<FormatArg> args) const {
  return FormatText(Text(key), BuiltinText(key), args);
}

void LanguageTable::Reset() {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < kTextKeyCount; ++i) {
    slots_[i].AssignBuiltin(BuiltinText(static_cast<TextKey>(i)));
  }
}

LanguageTable& GlobalLanguageTable() {
  static LanguageTable table;
  return table;
}

std::u16string LanguageText(TextKey key) {
  return GlobalLanguageTable().Text(key);
}

std::optional<std::u16string> FindLanguageText(std::string_view key_name) {
  const std::optional<TextKey> key = FindTextKey(key_name);
  if (!key) return std::nullopt;
  return LanguageText(*key);
}

bool IsFormatText(TextKey key) {
  const auto kinds = PlaceholderKinds(BuiltinText(key));
  return kinds && !kinds->empty();
}

std::u16string LanguageTextByName(std::string_view key_name) {
  const std::optional<TextKey> key = FindTextKey(key_name);
  if (!key) return {};
  std::u16string text = LanguageText(*key);
  if (IsFormatText(*key) && !PlaceholdersMatch(text, BuiltinText(*key))) {
    return std::u16string(BuiltinText(*key));
  }
  return text;
}

std::u16string FormatLanguageText(TextKey key, std::initializer_list<FormatArg> args) {
  return GlobalLanguageTable().Format(key, args);
}

}  // namespace tarvolin
