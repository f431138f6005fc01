#include "platform/ini_file_codec.h"

#include <gtest/gtest.h>

#include "tests/platform/scratch_folder.h"

namespace tarvolin {
namespace {

using testing::Utf16LeBytes;
using namespace std::string_view_literals;

TEST(IniFileCodec, RecognisesEachEncodingByItsMarkOrContent) {
  // Chinese text with a character outside the BMP (U+20BB7) to cover surrogate pairs.
  const std::u16string text = u"[CHINESE]\r\nA=宏\U00020BB7\r\n";

  DecodedIniText le = DecodeIniBytes("\xFF\xFE" + Utf16LeBytes(text));
  EXPECT_EQ(le.encoding, IniEncoding::kUtf16LeBom);
  EXPECT_EQ(le.text, text);

  std::string be_bytes = "\xFE\xFF";
  for (char16_t unit : text) {
    be_bytes.push_back(static_cast<char>(unit >> 8));
    be_bytes.push_back(static_cast<char>(unit & 0xFF));
  }
  DecodedIniText be = DecodeIniBytes(be_bytes);
  EXPECT_EQ(be.encoding, IniEncoding::kUtf16BeBom);
  EXPECT_EQ(be.text, text);

  DecodedIniText utf8_bom =
      DecodeIniBytes("\xEF\xBB\xBF[CHINESE]\r\nA=\xE5\xAE\x8F\xF0\xA0\xAE\xB7\r\n");
  EXPECT_EQ(utf8_bom.encoding, IniEncoding::kUtf8Bom);
  EXPECT_EQ(utf8_bom.text, text);

  DecodedIniText utf8 = DecodeIniBytes("[CHINESE]\r\nA=\xE5\xAE\x8F\xF0\xA0\xAE\xB7\r\n");
  EXPECT_EQ(utf8.encoding, IniEncoding::kUtf8);
  EXPECT_EQ(utf8.text, text);

  DecodedIniText ascii = DecodeIniBytes("[A]\nb=c\n");
  EXPECT_EQ(ascii.encoding, IniEncoding::kUtf8);
  EXPECT_EQ(ascii.text, u"[A]\nb=c\n");

  // UTF-16LE written without its mark is still recognised by its zero high bytes.
  DecodedIniText bare = DecodeIniBytes(Utf16LeBytes(u"[A]\r\nb=c\r\n"));
  EXPECT_EQ(bare.encoding, IniEncoding::kUtf16Le);
  EXPECT_EQ(bare.text, u"[A]\r\nb=c\r\n");
}

TEST(IniFileCodec, BrokenInputDecodesWithoutLoss) {
  // Not UTF-8 (a lone 0xE9, an overlong slash, an encoded surrogate): every byte is kept.
  for (std::string_view bytes : {std::string_view("caf\xE9"), std::string_view("a\xC0\xAF"),
                                 std::string_view("\xED\xA0\x80")}) {
    DecodedIniText decoded = DecodeIniBytes(bytes);
    EXPECT_EQ(decoded.encoding, IniEncoding::kLatin1);
    ASSERT_EQ(decoded.text.size(), bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      EXPECT_EQ(decoded.text[i], static_cast<unsigned char>(bytes[i]));
    }
  }
  // A truncated UTF-8 sequence at the end.
  EXPECT_EQ(DecodeIniBytes("ab\xE5\xAE").encoding, IniEncoding::kLatin1);
  // An odd byte count after a UTF-16 mark: the stray byte is dropped, the rest is read.
  EXPECT_EQ(DecodeIniBytes("\xFF\xFE"
                           "a\0b\0c"sv)
                .text,
            u"ab");
  EXPECT_EQ(DecodeIniBytes("").text, u"");
  EXPECT_EQ(DecodeIniBytes("\xFF\xFE").text, u"");
}

TEST(IniFileCodec, EncodesBackToTheSameBytes) {
  const std::u16string text = u"[S]\r\nk=宏 é\U00020BB7\r\n";
  for (IniEncoding encoding : {IniEncoding::kUtf16LeBom, IniEncoding::kUtf16BeBom,
                               IniEncoding::kUtf16Le, IniEncoding::kUtf8Bom, IniEncoding::kUtf8}) {
    bool representable = false;
    const std::string bytes = EncodeIniText(text, encoding, representable);
    EXPECT_TRUE(representable);
    const DecodedIniText decoded = DecodeIniBytes(bytes);
    EXPECT_EQ(decoded.encoding, encoding);
    EXPECT_EQ(decoded.text, text);
  }
  bool representable = false;
  EXPECT_EQ(EncodeIniText(u"A", IniEncoding::kUtf16LeBom, representable),
            "\xFF\xFE"
            "A\0"sv);

  EXPECT_EQ(EncodeIniText(u"caf\u00E9", IniEncoding::kLatin1, representable), "caf\xE9");
  EXPECT_TRUE(representable);
  EXPECT_EQ(EncodeIniText(u"宏", IniEncoding::kLatin1, representable), "");
  EXPECT_FALSE(representable);
}

}  // namespace
}  // namespace tarvolin
