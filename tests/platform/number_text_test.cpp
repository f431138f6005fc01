#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarvolin {
namespace {

TEST(NumberText, LeadingIntReadsAsTheRuntimeDoes) {
  EXPECT_EQ(ParseLeadingInt(u" "), 0);
  EXPECT_EQ(ParseLeadingInt(u"1"), 1);
  EXPECT_EQ(ParseLeadingInt(u" \t\v\f+1xyz"), 1);
  EXPECT_EQ(ParseLeadingInt(u"-3"), -3);
  EXPECT_EQ(ParseLeadingInt(u"abc"), 0);
  EXPECT_EQ(ParseLeadingInt(u"- 3"), 0);
  EXPECT_EQ(ParseLeadingInt(u"99999999999"), INT_MAX);
  EXPECT_EQ(ParseLeadingInt(u"-99999999999"), INT_MIN);
  EXPECT_EQ(ParseLeadingInt(u"-2147483648"), INT_MIN);

  // Reading on from a position: the position ends after the digits, even past an overflow.
  const std::u16string_view text = u" 12,-99999999999999,x";
  std::size_t pos = 0;
  EXPECT_EQ(ReadLeadingInt(text, pos), 12);
  EXPECT_EQ(pos, 3u);
  pos = 4;
  EXPECT_EQ(ReadLeadingInt(text, pos), INT_MIN);
  EXPECT_EQ(text[pos], u',');
  ++pos;
  EXPECT_EQ(ReadLeadingInt(text, pos), std::nullopt);
  EXPECT_EQ(text.substr(pos), u"x");
  pos = text.size();
  EXPECT_EQ(ReadLeadingInt(text, pos), std::nullopt);
}

TEST(NumberText, WholeNumbersInDecimalOrHex) {
  long value = -1;
  EXPECT_TRUE(ParseNumber("0x1F", 0, 100, value));
  EXPECT_EQ(value, 31);
  EXPECT_TRUE(ParseNumber("-5", -10, 10, value));
  EXPECT_EQ(value, -5);
  EXPECT_FALSE(ParseNumber("11", 0, 10, value));
  EXPECT_FALSE(ParseNumber(" 1", 0, 10, value));
  EXPECT_FALSE(ParseNumber("1x", 0, 10, value));
  EXPECT_FALSE(ParseNumber("0x", 0, 10, value));
  EXPECT_EQ(value, -5);
}

}  // namespace
}  // namespace tarvolin
