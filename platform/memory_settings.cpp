#include "platform/memory_settings.h"

#include <climits>

namespace tarvolin {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

char16_t FoldCase(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  return c;
}

std::u16string Fold(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = FoldCase(c);
  return folded;
}

}  // namespace

std::optional<int> ParseSettingInt(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

std::u16string FormatSettingInt(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

MemorySettingsStore::Key MemorySettingsStore::MakeKey(std::u16string_view section,
                                                      std::u16string_view name) {
  return {Fold(section), Fold(name)};
}

std::optional<int> MemorySettingsStore::ReadInt(std::u16string_view section,
                                                std::u16string_view name) const {
  const std::optional<std::u16string> text = ReadString(section, name);
  if (!text) return std::nullopt;
  return ParseSettingInt(*text);
}

bool MemorySettingsStore::WriteInt(std::u16string_view section, std::u16string_view name,
                                   int value) {
  return WriteString(section, name, FormatSettingInt(value));
}

std::optional<std::u16string> MemorySettingsStore::ReadString(std::u16string_view section,
                                                              std::u16string_view name) const {
  std::lock_guard lock(mutex_);
  const auto found = values_.find(MakeKey(section, name));
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool MemorySettingsStore::WriteString(std::u16string_view section, std::u16string_view name,
                                      std::u16string_view value) {
  // The registry refuses these too; refusing here keeps tests honest about it.
  if (section.empty() || section.find(u'\\') != std::u16string_view::npos) return false;
  std::lock_guard lock(mutex_);
  values_[MakeKey(section, name)] = std::u16string(value);
  return true;
}

std::size_t MemorySettingsStore::Size() const {
  std::lock_guard lock(mutex_);
  return values_.size();
}

}  // namespace tarvolin
