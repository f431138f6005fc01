#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvolin::model {

// Formats a printf-style template that takes one integer, such as "Unknown Key: %03x".
// The template may come from a language file, so only integer conversions (d, i, u, x, X
// with flags '-', '0', '+', ' ', '#' and a width up to 32) take the value, "%%" gives '%',
// and anything else, such as %s or a second conversion, is copied literally instead of
// reading arguments that do not exist.
std::u16string FormatWithNumber(std::u16string_view format, std::int64_t value);

// Plain conversions between UTF-16 and UTF-8, replacing broken sequences with U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace tarvolin::model
