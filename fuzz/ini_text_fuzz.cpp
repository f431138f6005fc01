// Skin, language and user files may be written by any editor in any encoding. Decoding must
// accept any bytes, the document must give its text back as it read it, and a value set must
// be found again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/ini_file.h"
#include "platform/ini_file_codec.h"

using namespace tarvolin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto decoded = DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  auto document = IniDocument::Parse(decoded.text);
  if (document.Serialize() != decoded.text) __builtin_trap();

  // Written back the way it was read: the same text comes back from the bytes.
  bool representable = false;
  const auto bytes = EncodeIniText(decoded.text, decoded.encoding, representable);
  if (representable && decoded.encoding != IniEncoding::kUtf8 &&
      decoded.encoding != IniEncoding::kLatin1 && decoded.encoding != IniEncoding::kUtf16Le &&
      DecodeIniBytes(bytes).text != decoded.text) {
    __builtin_trap();
  }

  (void)document.Find(u"LANGUAGE", u"language");
  if (document.Set(u"PROFILES", u"RecordDelay", u" 1 ") &&
      document.Find(u"profiles", u"recorddelay") != u" 1 ") {
    __builtin_trap();
  }
  return 0;
}
