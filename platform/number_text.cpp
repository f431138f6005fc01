#include "platform/number_text.h"

#include <charconv>

namespace tarvolin {

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

}  // namespace tarvolin
