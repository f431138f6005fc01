#include "vkb/host_protocol.h"

#include <gtest/gtest.h>

namespace tarvolin::vkb::host {
namespace {

Message Parse(const std::vector<std::uint8_t>& bytes) {
  const auto message = Decode(bytes);
  EXPECT_TRUE(message);
  return message.value_or(Message{});
}

TEST(HostProtocolTest, MessagesRoundTripAndWrongSizesAreRefused) {
  EXPECT_EQ(Hello(), (std::vector<std::uint8_t>{0x01, 1, 0, 0, 0}));
  const auto report = device::BuildRequest(device::Command::kReadKeyMap, 56, 0x0438);
  const Message request = Parse(Request(report));
  EXPECT_EQ(request.type, MessageType::kRequest);
  EXPECT_EQ(ReadReport(request), report);

  const std::uint8_t bank[2] = {0x05, 0x03};
  const Message status =
      Parse(StatusWrite(device::kIndicatorSelector, device::kContextIndicator, bank));
  const auto body = ReadStatusWrite(status);
  ASSERT_TRUE(body);
  EXPECT_EQ(body->selector.usage_page, 0x0008);
  EXPECT_EQ(body->selector.usage, 0x0089);
  EXPECT_EQ(body->context, device::kContextIndicator);
  EXPECT_EQ(body->bytes, (std::vector<std::uint8_t>{0x05, 0x03}));

  std::string notice;
  const auto state = ReadWelcome(Parse(Welcome({true, 0x7A07}, "damaged")), notice);
  ASSERT_TRUE(state);
  EXPECT_TRUE(state->plugged);
  EXPECT_EQ(state->product_id, 0x7A07);
  EXPECT_EQ(notice, "damaged");
  EXPECT_EQ(ReadU32(Parse(U32(MessageType::kDeviceCount, 0))), 0u);
  EXPECT_EQ(ReadU16(Parse(U16(MessageType::kEvent, 0x02FF))), 0x02FF);
  EXPECT_EQ(ReadText(Parse(Text(MessageType::kControl, "latency 1200"))), "latency 1200");

  // Bodies of the wrong size say nothing.
  EXPECT_FALSE(Decode(std::vector<std::uint8_t>{}));
  EXPECT_FALSE(ReadReport(Parse({0x02, 1, 2, 3})));
  EXPECT_FALSE(ReadU32(Parse({0x83, 1, 2})));
  EXPECT_FALSE(ReadU16(Parse({0x84, 1, 2, 3})));
  EXPECT_FALSE(ReadStatusWrite(Parse({0x03, 1})));
  EXPECT_FALSE(ReadWelcome(Parse({0x81, 1}), notice));
  EXPECT_FALSE(ReadWelcome(Parse({0x82, 1, 0, 0}), notice));
}

}  // namespace
}  // namespace tarvolin::vkb::host
