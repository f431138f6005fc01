#include "platform/number_text.h"

#include <charconv>
#include <climits>
#include <cstdint>

namespace tarvolin {
namespace {

bool IsCrtSpace(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace

bool ParseNumber(std::string_view text, long min, long max, long& value) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  long parsed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed, base);
  if (ec != std::errc() || end != text.data() + text.size() || parsed < min || parsed > max) {
    return false;
  }
  value = parsed;
  return true;
}

std::optional<int> ReadLeadingInt(std::u16string_view text, std::size_t& pos) {
  while (pos < text.size() && IsCrtSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  if (pos >= text.size() || !IsDigit(text[pos])) return std::nullopt;
  std::int64_t value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (value <= std::int64_t{INT_MAX} + 1) value = value * 10 + (text[pos] - u'0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace tarvolin
