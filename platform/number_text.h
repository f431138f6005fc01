#pragma once
#include <string_view>

namespace tarvolin {

// A whole number written in decimal or with a 0x prefix in hexadecimal, within [min, max].
// False for anything else (blanks, trailing characters, out of range); `value` is then unset.
bool ParseNumber(std::string_view text, long min, long max, long& value);

}  // namespace tarvolin
