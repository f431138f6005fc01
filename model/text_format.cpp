#include "model/text_format.h"

#include <algorithm>

#include "platform/utf8.h"

namespace tarvolin::model {
namespace {

std::u16string Digits(std::uint64_t magnitude, unsigned base, bool upper) {
  const char16_t* digits = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
  std::u16string out;
  do {
    out.push_back(digits[magnitude % base]);
    magnitude /= base;
  } while (magnitude != 0);
  std::reverse(out.begin(), out.end());
  return out;
}

struct Conversion {
  bool left = false;
  bool zero = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  std::size_t width = 0;
  char16_t type = 0;
  std::size_t length = 0;  // characters of the template consumed, '%' included
};

// Parses "%[flags][width]type" at `format[start]`; type 0 when it is not an integer one.
Conversion ParseConversion(std::u16string_view format, std::size_t start) {
  Conversion c;
  std::size_t i = start + 1;
  for (; i < format.size(); ++i) {
    const char16_t ch = format[i];
    if (ch == u'-')
      c.left = true;
    else if (ch == u'0')
      c.zero = true;
    else if (ch == u'+')
      c.plus = true;
    else if (ch == u' ')
      c.space = true;
    else if (ch == u'#')
      c.alternate = true;
    else
      break;
  }
  while (i < format.size() && format[i] >= u'0' && format[i] <= u'9') {
    c.width = c.width * 10 + static_cast<std::size_t>(format[i] - u'0');
    if (c.width > 32) return {};
    ++i;
  }
  if (i >= format.size()) return {};
  const char16_t type = format[i];
  if (type == u'd' || type == u'i' || type == u'u' || type == u'x' || type == u'X') {
    c.type = type;
    c.length = i + 1 - start;
  }
  return c;
}

std::u16string Render(const Conversion& c, std::int64_t value) {
  std::u16string sign;
  std::u16string body;
  if (c.type == u'd' || c.type == u'i') {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
    body = Digits(magnitude, 10, false);
    if (negative)
      sign = u"-";
    else if (c.plus)
      sign = u"+";
    else if (c.space)
      sign = u" ";
  } else {
    // Unsigned conversions see the value as the 32-bit int printf would have received.
    const std::uint64_t bits = static_cast<std::uint32_t>(value);
    if (c.type == u'u') {
      body = Digits(bits, 10, false);
    } else {
      body = Digits(bits, 16, c.type == u'X');
      if (c.alternate && bits != 0) sign = c.type == u'X' ? u"0X" : u"0x";
    }
  }
  const std::size_t used = sign.size() + body.size();
  if (used >= c.width) return sign + body;
  const std::size_t pad = c.width - used;
  if (c.left) return sign + body + std::u16string(pad, u' ');
  if (c.zero) return sign + std::u16string(pad, u'0') + body;
  return std::u16string(pad, u' ') + sign + body;
}

}  // namespace

std::u16string FormatWithNumber(std::u16string_view format, std::int64_t value) {
  std::u16string out;
  bool value_used = false;
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != u'%') {
      out.push_back(format[i++]);
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == u'%') {
      out.push_back(u'%');
      i += 2;
      continue;
    }
    const Conversion c = ParseConversion(format, i);
    if (c.type != 0 && !value_used) {
      out += Render(c, value);
      value_used = true;
      i += c.length;
    } else {
      out.push_back(format[i++]);
    }
  }
  return out;
}

std::string ToUtf8(std::u16string_view text) {
  return EncodeUtf8(text);
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    std::uint32_t cp = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07u;
    } else {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    bool valid = i + extra < text.size();
    for (std::size_t k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80)
        valid = false;
      else
        cp = (cp << 6) | (next & 0x3Fu);
    }
    const std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (!valid || cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += extra + 1;
  }
  return out;
}

}  // namespace tarvolin::model
