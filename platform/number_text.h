#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace tarvolin {

// A whole number written in decimal or with a 0x prefix in hexadecimal, within [min, max].
// False for anything else (blanks, trailing characters, out of range); `value` is then unset.
bool ParseNumber(std::string_view text, long min, long max, long& value);

// Reads an integer from `pos` the way the C runtime's "%d" does: blanks, an optional sign,
// then digits up to the first other character; a value past the int range saturates. `pos`
// ends after the digits. Empty, with `pos` wherever the blanks and sign ended, when no digit
// follows.
std::optional<int> ReadLeadingInt(std::u16string_view text, std::size_t& pos);

// The whole text read as atoi does: no digits give 0.
inline int ParseLeadingInt(std::u16string_view text) {
  std::size_t pos = 0;
  return ReadLeadingInt(text, pos).value_or(0);
}

}  // namespace tarvolin
