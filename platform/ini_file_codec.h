#pragma once
#include <string>
#include <string_view>

namespace tarvolin {

// How an INI file's bytes carry its text. A file is written back the way it was read.
enum class IniEncoding {
  kUtf16LeBom,  // FF FE, the form the Windows profile functions use for Unicode files
  kUtf16BeBom,  // FE FF
  kUtf16Le,     // no mark, recognised by its zero high bytes
  kUtf8Bom,     // EF BB BF
  kUtf8,        // no mark; plain ASCII lands here too
  kLatin1,      // no mark and not valid UTF-8: each byte is one character, so nothing is lost
};

struct DecodedIniText {
  std::u16string text;
  IniEncoding encoding = IniEncoding::kUtf16LeBom;
};

DecodedIniText DecodeIniBytes(std::string_view bytes);

// Encodes `text` (with the mark of `encoding`). Latin-1 cannot carry characters above U+00FF:
// then the result is empty and `representable` false, and the caller picks another encoding.
std::string EncodeIniText(std::u16string_view text, IniEncoding encoding, bool& representable);

}  // namespace tarvolin
