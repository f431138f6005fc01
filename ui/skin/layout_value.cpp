#include "ui/skin/layout_value.h"

#include <array>
#include <climits>
#include <cstdint>

namespace tarvolin::skin {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Reads one integer the way "%d" does: optional blanks, optional sign, digits.
// Returns false (and consumes nothing useful) when no digit follows.
bool ReadInt(std::u16string_view text, std::size_t& pos, int& out) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  if (pos >= text.size() || text[pos] < u'0' || text[pos] > u'9') return false;
  std::int64_t value = 0;
  while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
    if (value <= std::int64_t{INT_MAX} + 1) value = value * 10 + (text[pos] - u'0');
    ++pos;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  out = static_cast<int>(value);
  return true;
}

}  // namespace

LayoutValue ParseLayoutValue(std::u16string_view text) {
  std::array<int, 4> numbers{1, 1, 1, 1};
  std::size_t pos = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != u',') break;
      ++pos;
    }
    if (!ReadInt(text, pos, numbers[i])) break;
  }
  LayoutValue value{numbers[0], numbers[1], numbers[2], numbers[3]};
  if (value.width < 0) value.width = 0;
  if (value.height < 0) value.height = 0;
  return value;
}

std::u16string KeySkinName(unsigned slotCode) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string name = u"KEY_";
  std::u16string digits;
  unsigned rest = slotCode;
  do {
    digits.insert(digits.begin(), kHex[rest & 0xF]);
    rest >>= 4;
  } while (rest != 0);
  while (digits.size() < 3) digits.insert(digits.begin(), u'0');
  return name + digits;
}

std::u16string GKeySkinName(int number) {
  std::u16string name = u"FUNC_G";
  if (number < 0) {
    name += u'-';
    number = -number;
  }
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
    number /= 10;
  } while (number != 0);
  return name + digits;
}

}  // namespace tarvolin::skin
