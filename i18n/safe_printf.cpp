#include "i18n/safe_printf.h"

#include <algorithm>
#include <cstdint>

namespace tarvolin {
namespace {

constexpr int kMaxWidthOrPrecision = 255;

struct Placeholder {
  bool left_align = false;
  bool plus_sign = false;
  bool space_sign = false;
  bool zero_pad = false;
  bool alternate = false;
  int width = 0;
  std::optional<int> precision;
  char16_t conversion = 0;  // 0 for a literal "%%"
  std::size_t end = 0;      // index just past the placeholder

  PlaceholderKind Kind() const {
    return conversion == u's' || conversion == u'S' ? PlaceholderKind::kString
                                                    : PlaceholderKind::kInteger;
  }
};

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Reads up to three digits; more, or a value above the cap, is refused.
bool ReadNumber(std::u16string_view text, std::size_t& i, int& number) {
  number = 0;
  int digits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (++digits > 3) return false;
    number = number * 10 + (text[i] - u'0');
    ++i;
  }
  return number <= kMaxWidthOrPrecision;
}

// Parses the placeholder that starts at text[start] == '%'.
std::optional<Placeholder> ParsePlaceholder(std::u16string_view text, std::size_t start) {
  Placeholder p;
  std::size_t i = start + 1;
  if (i < text.size() && text[i] == u'%') {
    p.end = i + 1;
    return p;
  }
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'-') {
      p.left_align = true;
    } else if (c == u'+') {
      p.plus_sign = true;
    } else if (c == u' ') {
      p.space_sign = true;
    } else if (c == u'0') {
      p.zero_pad = true;
    } else if (c == u'#') {
      p.alternate = true;
    } else {
      break;
    }
  }
  if (!ReadNumber(text, i, p.width)) return std::nullopt;
  if (i < text.size() && text[i] == u'.') {
    ++i;
    int precision = 0;
    if (!ReadNumber(text, i, precision)) return std::nullopt;
    p.precision = precision;
  }
  // Length modifiers change nothing here: every integer arrives as a long long.
  if (i < text.size() && (text[i] == u'h' || text[i] == u'l')) {
    const char16_t modifier = text[i++];
    if (i < text.size() && text[i] == modifier) ++i;
  }
  if (i >= text.size()) return std::nullopt;
  switch (text[i]) {
    case u'd':
    case u'i':
    case u'u':
    case u'x':
    case u'X':
    case u'o':
    case u's':
    case u'S':
      p.conversion = text[i];
      p.end = i + 1;
      return p;
    default:
      return std::nullopt;
  }
}

std::optional<std::vector<Placeholder>> ParseAll(std::u16string_view text) {
  std::vector<Placeholder> placeholders;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    std::optional<Placeholder> p = ParsePlaceholder(text, i);
    if (!p) return std::nullopt;
    if (p->conversion != 0) placeholders.push_back(*p);
    i = p->end - 1;
  }
  return placeholders;
}

bool FitsArguments(std::u16string_view text, std::span<const FormatArg> args) {
  const auto kinds = PlaceholderKinds(text);
  if (!kinds || kinds->size() != args.size()) return false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (((*kinds)[i] == PlaceholderKind::kInteger) != args[i].IsInteger()) return false;
  }
  return true;
}

std::u16string Digits(std::uint64_t value, unsigned base, bool upper) {
  const char16_t* symbols = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
  std::u16string digits;
  do {
    digits.push_back(symbols[value % base]);
    value /= base;
  } while (value != 0);
  std::reverse(digits.begin(), digits.end());
  return digits;
}

void Pad(std::u16string& out, std::u16string_view prefix, std::u16string_view body,
         const Placeholder& p, bool zero_fill) {
  const std::size_t length = prefix.size() + body.size();
  const std::size_t fill = p.width > 0 && static_cast<std::size_t>(p.width) > length
                               ? static_cast<std::size_t>(p.width) - length
                               : 0;
  if (p.left_align) {
    out.append(prefix).append(body).append(fill, u' ');
  } else if (zero_fill) {
    out.append(prefix).append(fill, u'0').append(body);
  } else {
    out.append(fill, u' ').append(prefix).append(body);
  }
}

void AppendInteger(std::u16string& out, const Placeholder& p, long long value) {
  std::u16string prefix;
  std::uint64_t magnitude = 0;
  unsigned base = 10;
  const bool is_signed = p.conversion == u'd' || p.conversion == u'i';
  if (is_signed) {
    magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (value < 0) {
      prefix = u"-";
    } else if (p.plus_sign) {
      prefix = u"+";
    } else if (p.space_sign) {
      prefix = u" ";
    }
  } else {
    // The program passes ints: a negative one shows as its 32-bit pattern, as printf would.
    magnitude = value < 0 ? static_cast<std::uint32_t>(value) : static_cast<std::uint64_t>(value);
    if (p.conversion == u'x' || p.conversion == u'X') base = 16;
    if (p.conversion == u'o') base = 8;
  }
  std::u16string body;
  if (!(p.precision == 0 && magnitude == 0)) {
    body = Digits(magnitude, base, p.conversion == u'X');
  }
  if (p.precision && body.size() < static_cast<std::size_t>(*p.precision)) {
    body.insert(0, static_cast<std::size_t>(*p.precision) - body.size(), u'0');
  }
  if (p.alternate && magnitude != 0 && base == 16) prefix = p.conversion == u'X' ? u"0X" : u"0x";
  if (p.alternate && base == 8 && (body.empty() || body[0] != u'0')) body.insert(0, 1, u'0');
  Pad(out, prefix, body, p, p.zero_pad && !p.left_align && !p.precision);
}

void AppendString(std::u16string& out, const Placeholder& p, std::u16string_view text) {
  if (p.precision) text = text.substr(0, static_cast<std::size_t>(*p.precision));
  Pad(out, u"", text, p, false);
}

std::u16string Substitute(std::u16string_view text, std::span<const FormatArg> args) {
  std::u16string out;
  std::size_t next_arg = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') {
      out.push_back(text[i]);
      continue;
    }
    const Placeholder p = *ParsePlaceholder(text, i);  // FitsArguments has parsed it already
    i = p.end - 1;
    if (p.conversion == 0) {
      out.push_back(u'%');
    } else if (p.Kind() == PlaceholderKind::kString) {
      AppendString(out, p, args[next_arg++].Text());
    } else {
      AppendInteger(out, p, args[next_arg++].Integer());
    }
  }
  return out;
}

}  // namespace

std::optional<std::vector<PlaceholderKind>> PlaceholderKinds(std::u16string_view text) {
  const auto placeholders = ParseAll(text);
  if (!placeholders) return std::nullopt;
  std::vector<PlaceholderKind> kinds;
  for (const Placeholder& p : *placeholders) kinds.push_back(p.Kind());
  return kinds;
}

bool PlaceholdersMatch(std::u16string_view text, std::u16string_view reference) {
  const auto kinds = PlaceholderKinds(text);
  const auto reference_kinds = PlaceholderKinds(reference);
  return kinds && reference_kinds && *kinds == *reference_kinds;
}

std::u16string FormatText(std::u16string_view text, std::u16string_view reference,
                          std::span<const FormatArg> args) {
  if (PlaceholdersMatch(text, reference) && FitsArguments(text, args))
    return Substitute(text, args);
  if (FitsArguments(reference, args)) return Substitute(reference, args);
  return std::u16string(text);
}

}  // namespace tarvolin
