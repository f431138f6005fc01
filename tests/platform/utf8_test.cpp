#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace tarvolin {
namespace {

TEST(Utf8, StrictAndForgivingDecodingAndEncoding) {
  EXPECT_EQ(EncodeUtf8(u"\u2191A"),
            "\xE2\x86\x91"
            "A");
  EXPECT_EQ(EncodeUtf8(u"a\xD800"
                       "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(DecodeUtf8(EncodeUtf8(u"\U0001F600\u20AC")), u"\U0001F600\u20AC");
  EXPECT_EQ(DecodeUtf8Lossy("\xE2\x86\x91"
                            "A\xFF"),
            u"\u2191A\uFFFD");
  // Cut short, overlong, an encoded surrogate, past U+10FFFF.
  for (const std::string_view broken :
       {"\xE2\x86", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
    EXPECT_EQ(DecodeUtf8(broken), std::nullopt) << broken.size();
    EXPECT_EQ(DecodeUtf8Lossy(broken), std::u16string(broken.size(), u'\uFFFD'));
  }
  EXPECT_EQ(DecodeUtf8Lossy("\xE2\x86"
                            "A"),
            u"\uFFFD\uFFFDA");
  EXPECT_EQ(DecodeUtf8(""), u"");
}

}  // namespace
}  // namespace tarvolin
