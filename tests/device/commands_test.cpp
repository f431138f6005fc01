#include "device/commands.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/fake_hid_library.h"

namespace tarvolin::device {
namespace {

using testing::FakeClock;
using testing::FakeHidLibrary;
using testing::InstantEvent;

std::vector<std::uint8_t> Bytes(const ReportBytes& report, std::size_t n) {
  return {report.begin(), report.begin() + static_cast<std::ptrdiff_t>(n)};
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    channel_ = std::make_unique<DeviceChannel>(clock_, std::make_unique<InstantEvent>());
    ASSERT_TRUE(channel_->Bind(fake_.Api()));
    channel_->Subscribe();
    fake_.respond = FakeHidLibrary::Echo();
  }
  FakeHidLibrary fake_;
  FakeClock clock_;
  std::unique_ptr<DeviceChannel> channel_;
};

TEST_F(CommandsTest, SimpleRequestsAreByteExact) {
  ASSERT_EQ(Begin(*channel_), 1);
  ASSERT_EQ(End(*channel_), 1);
  SettingsBlock block;
  ASSERT_EQ(ReadSettings(*channel_, block), 1);
  ASSERT_EQ(fake_.written.size(), 3u);
  EXPECT_EQ(Bytes(fake_.written[0], 8), (std::vector<std::uint8_t>{4, 1, 0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(Bytes(fake_.written[1], 8), (std::vector<std::uint8_t>{4, 2, 0, 2, 0, 0, 0, 0}));
  EXPECT_EQ(Bytes(fake_.written[2], 8), (std::vector<std::uint8_t>{4, 0x33, 0, 3, 0x30, 0, 0, 0}));
  for (const auto& report : fake_.written) {
    for (std::size_t i = 8; i < 64; ++i) EXPECT_EQ(report[i], 0);
  }
  EXPECT_EQ(clock_.sleeps, (std::vector<std::uint32_t>{10}));  // End waits before it sends
}

TEST_F(CommandsTest, SettingsAndLightingCopyTheirReplyData) {
  fake_.respond = [](const ReportBytes& request) {
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    for (std::size_t i = 8; i < 64; ++i) reply[i] = static_cast<std::uint8_t>(i);
    return std::optional(reply);
  };
  SettingsBlock block;
  ASSERT_EQ(ReadSettings(*channel_, block), 1);
  EXPECT_EQ(block.bytes[0], 8);
  EXPECT_EQ(block.bytes[47], 55);
  std::array<std::uint8_t, 56> lighting{};
  ASSERT_EQ(ReadLighting(*channel_, lighting.data(), 56, 84), 1);
  EXPECT_EQ(lighting[55], 63);
  EXPECT_EQ(ReportAddress(fake_.written[1]), 84);

  const std::uint8_t brightness = 2;
  ASSERT_EQ(WriteLighting(*channel_, &brightness, 1, 85), 1);
  EXPECT_EQ(Bytes(fake_.written[2], 9), (std::vector<std::uint8_t>{4, 0x5E, 0, 6, 1, 85, 0, 0, 2}));

  std::array<std::uint8_t, 56> colours{};
  ASSERT_EQ(ReadKeyColours(*channel_, colours.data(), 54, 162, 2), 1);
  EXPECT_EQ(ReportAddress(fake_.written[3]), 2 * 180 + 162);
  ASSERT_EQ(WriteKeyColours(*channel_, &brightness, 1, 41, 1), 1);
  EXPECT_EQ(ReportAddress(fake_.written[4]), 221);
}

TEST_F(CommandsTest, BlockReadGoesInTenAscendingPieces) {
  std::array<std::uint8_t, 512> block{};
  ASSERT_EQ(ReadKeyMap(*channel_, 2, block.data()), 1);
  ASSERT_EQ(fake_.written.size(), 10u);
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(ReportAddress(fake_.written[i]), 0x400 + 56 * i);
    EXPECT_EQ(fake_.written[i][4], i < 9 ? 56 : 8);
    EXPECT_EQ(fake_.written[i][3], 7);
  }
  EXPECT_EQ(ReportAddress(fake_.written[9]), 0x5F8);
}

TEST_F(CommandsTest, BadBlockIndexAndEmptyAreasSendNothing) {
  std::array<std::uint8_t, 512> block{};
  EXPECT_EQ(ReadKeyMap(*channel_, 3, block.data()), -201);
  EXPECT_EQ(WriteKeyMap(*channel_, -1, block.data()), -201);
  EXPECT_EQ(ReadMacros(*channel_, block.data(), 0), 1);
  EXPECT_EQ(WriteMacros(*channel_, block.data(), 0), 1);
  EXPECT_TRUE(fake_.written.empty());
}

TEST_F(CommandsTest, AreaWriteKeepsThePreviousPieceTailUnderTheChecksum) {
  std::vector<std::uint8_t> area(100);
  for (std::size_t i = 0; i < area.size(); ++i) area[i] = static_cast<std::uint8_t>(i + 1);
  ASSERT_EQ(WriteMacros(*channel_, area.data(), area.size()), 1);
  ASSERT_EQ(fake_.written.size(), 2u);
  const ReportBytes& last = fake_.written[1];
  EXPECT_EQ(last[4], 44);
  EXPECT_EQ(ReportAddress(last), 56);
  for (std::size_t i = 0; i < 44; ++i) EXPECT_EQ(last[8 + i], area[56 + i]);
  for (std::size_t i = 44; i < 56; ++i) EXPECT_EQ(last[8 + i], area[i]) << "tail of piece 1";
  EXPECT_EQ(last[1] | (last[2] << 8), ReportChecksum(last));
}

TEST_F(CommandsTest, RefusalsMapToTheirCodes) {
  fake_.respond = FakeHidLibrary::Echo(0xFF);
  EXPECT_EQ(Begin(*channel_), -102);
  EXPECT_EQ(fake_.written.size(), 3u);
  fake_.respond = FakeHidLibrary::Echo(0xFE);
  EXPECT_EQ(Begin(*channel_), -103);
  fake_.respond = nullptr;
  EXPECT_EQ(Begin(*channel_), -2);
  fake_.device_count = 0;
  EXPECT_EQ(Begin(*channel_), 0);
}

TEST_F(CommandsTest, ShortRepliesNeverPassForData) {
  for (std::size_t length : {4u, 8u}) {
    fake_.respond = [length](const ReportBytes& request) {
      std::vector<std::uint8_t> reply(request.begin(), request.begin() + 8);
      reply.resize(length);
      return std::optional(reply);
    };
    std::array<std::uint8_t, 512> block{};
    EXPECT_EQ(ReadKeyMap(*channel_, 0, block.data()), -2) << length;
    SettingsBlock settings;
    EXPECT_EQ(ReadSettings(*channel_, settings), -2) << length;
  }
  // A header is all a write needs back.
  const std::uint8_t one = 1;
  EXPECT_EQ(WriteLighting(*channel_, &one, 1, 0), 1);

  // A busy reply full of data, then bare headers: the data of the refused reply is not handed
  // over as the lighting.
  int calls = 0;
  fake_.respond = [&calls](const ReportBytes& request) {
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    if (++calls == 1) {
      reply[7] = 0xFE;
      std::fill(reply.begin() + 8, reply.end(), 0x66);
    } else {
      reply.resize(8);
    }
    return std::optional(reply);
  };
  std::array<std::uint8_t, 56> lighting{};
  EXPECT_EQ(ReadLighting(*channel_, lighting.data(), 56, 0), -2);
  EXPECT_EQ(lighting, (std::array<std::uint8_t, 56>{}));
}

TEST_F(CommandsTest, FailureInTheMiddleOfABlockWriteStopsThere) {
  std::size_t count = 0;
  fake_.respond = [&count](const ReportBytes& request) {
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    reply[7] = ++count > 4 ? 0xFF : 0;
    return std::optional(reply);
  };
  std::array<std::uint8_t, 512> block{};
  EXPECT_EQ(WriteKeyMap(*channel_, 1, block.data()), -102);
  // Four pieces accepted, the fifth tried three times.
  ASSERT_EQ(fake_.written.size(), 7u);
  EXPECT_EQ(ReportAddress(fake_.written[4]), 512 + 4 * 56);
  EXPECT_EQ(ReportAddress(fake_.written[6]), 512 + 4 * 56);
}

}  // namespace
}  // namespace tarvolin::device
