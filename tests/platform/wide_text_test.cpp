#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

namespace tarvolin::win32 {
namespace {

TEST(WideText, ConvertsAtTheApiBoundaryWithoutLoss) {
  const std::u16string text = u"宏 Macro \U0001F3AE";
  EXPECT_EQ(FromWide(ToWide(text)), text);
  EXPECT_EQ(ToWide(text).size(), text.size());

  const std::string utf8 = "\xE5\xAE\x8F Macro \xF0\x9F\x8E\xAE";
  EXPECT_EQ(WideFromUtf8(utf8), ToWide(text));
  EXPECT_EQ(Utf8FromWide(ToWide(text)), utf8);
  EXPECT_EQ(WideFromUtf8(""), L"");
  EXPECT_EQ(Utf8FromWide(L""), "");

  // A broken sequence becomes U+FFFD; the text around it survives.
  const std::wstring broken = WideFromUtf8(
      "a\xFF"
      "b");
  ASSERT_EQ(broken.size(), 3u);
  EXPECT_EQ(broken[0], L'a');
  EXPECT_EQ(broken[1], L'\xFFFD');
  EXPECT_EQ(broken[2], L'b');
}

}  // namespace
}  // namespace tarvolin::win32
