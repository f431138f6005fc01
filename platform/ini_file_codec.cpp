#include "platform/ini_file_codec.h"

#include <cstdint>
#include <optional>

#include "platform/utf8.h"

namespace tarvolin {
namespace {

std::uint8_t Byte(std::string_view bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

std::u16string DecodeUtf16(std::string_view bytes, bool big_endian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  // A stray last byte of an odd-sized file carries no whole character and is dropped.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned first = Byte(bytes, i);
    const unsigned second = Byte(bytes, i + 1);
    text.push_back(
        static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first));
  }
  return text;
}

// Without a mark, a file whose zero bytes all sit at odd offsets is UTF-16LE text of
// mostly Latin characters; UTF-8 and ANSI text never hold zero bytes.
bool LooksLikeUtf16Le(std::string_view bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  bool any_zero = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\0') continue;
    if (i % 2 == 0) return false;
    any_zero = true;
  }
  return any_zero;
}

std::string EncodeUtf16(std::u16string_view text, bool big_endian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    out.push_back(big_endian ? high : low);
    out.push_back(big_endian ? low : high);
  }
  return out;
}

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

DecodedIniText DecodeIniBytes(std::string_view bytes) {
  if (StartsWith(bytes, kUtf16LeMark)) {
    return {DecodeUtf16(bytes.substr(2), false), IniEncoding::kUtf16LeBom};
  }
  if (StartsWith(bytes, kUtf16BeMark)) {
    return {DecodeUtf16(bytes.substr(2), true), IniEncoding::kUtf16BeBom};
  }
  if (StartsWith(bytes, kUtf8Mark)) {
    if (auto text = DecodeUtf8(bytes.substr(3))) return {std::move(*text), IniEncoding::kUtf8Bom};
    std::u16string latin(bytes.begin() + 3, bytes.end());
    for (std::size_t i = 0; i < latin.size(); ++i) latin[i] = Byte(bytes, i + 3);
    return {std::move(latin), IniEncoding::kLatin1};
  }
  if (LooksLikeUtf16Le(bytes)) return {DecodeUtf16(bytes, false), IniEncoding::kUtf16Le};
  if (auto text = DecodeUtf8(bytes)) return {std::move(*text), IniEncoding::kUtf8};
  std::u16string latin(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) latin[i] = Byte(bytes, i);
  return {std::move(latin), IniEncoding::kLatin1};
}

std::string EncodeIniText(std::u16string_view text, IniEncoding encoding, bool& representable) {
  representable = true;
  switch (encoding) {
    case IniEncoding::kUtf16LeBom:
      return std::string(kUtf16LeMark) + EncodeUtf16(text, false);
    case IniEncoding::kUtf16BeBom:
      return std::string(kUtf16BeMark) + EncodeUtf16(text, true);
    case IniEncoding::kUtf16Le:
      return EncodeUtf16(text, false);
    case IniEncoding::kUtf8Bom:
      return std::string(kUtf8Mark) + EncodeUtf8(text);
    case IniEncoding::kUtf8:
      return EncodeUtf8(text);
    case IniEncoding::kLatin1:
      break;
  }
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) {
    if (unit > 0xFF) {
      representable = false;
      return {};
    }
    out.push_back(static_cast<char>(unit));
  }
  return out;
}

}  // namespace tarvolin
