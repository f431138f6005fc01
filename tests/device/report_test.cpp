#include <gtest/gtest.h>

#include <array>

#include "device/device_report.h"
#include "device/hid_library.h"

namespace tarvolin::device {
namespace {

TEST(ReportTest, ChecksumIsTheSumOfBytesThreeToSixtyThree) {
  ReportBytes report{};
  report.fill(0xFF);
  EXPECT_EQ(ReportChecksum(report), 61 * 255);  // the largest possible: 15555
  SealReport(report);
  EXPECT_EQ(report[1], 15555 & 0xFF);
  EXPECT_EQ(report[2], 15555 >> 8);

  const std::array<std::uint8_t, 3> payload = {1, 2, 3};
  const ReportBytes request = BuildRequest(Command::kWriteKeyMap, 3, 0x0438, payload);
  EXPECT_EQ(request[0], 4);
  EXPECT_EQ(request[5], 0x38);
  EXPECT_EQ(request[6], 0x04);
  EXPECT_EQ(request[7], 0);
  EXPECT_EQ(request[1] | (request[2] << 8), 8 + 3 + 0x38 + 0x04 + 1 + 2 + 3);
}

TEST(ReportTest, SelectorsAndEntryPointOrder) {
  const auto* raw = reinterpret_cast<const std::uint8_t*>(&kIndicatorSelector);
  const std::array<std::uint8_t, 16> expected = {
      15,   0,    0, 0, 0x45, 0x0C, kProductId & 0xFF, kProductId >> 8, 0x08, 0x00,
      0x89, 0x00, 0, 0, 0,    0};
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(raw[i], expected[i]) << i;

  std::vector<std::string> asked;
  HidLibraryApi api;
  int dummy = 0;
  EXPECT_TRUE(ResolveEntryPoints(api, [&](std::string_view name) -> void* {
    asked.emplace_back(name);
    return &dummy;
  }));
  ASSERT_EQ(asked.size(), 12u);
  EXPECT_EQ(asked.front(), "Debug");
  EXPECT_EQ(asked[7], "RequestWriteOne");
  EXPECT_EQ(asked.back(), "RequestStatusSetFeature");

  asked.clear();
  EXPECT_FALSE(ResolveEntryPoints(api, [&](std::string_view name) -> void* {
    asked.emplace_back(name);
    return name == "End" ? nullptr : &dummy;
  }));
  EXPECT_EQ(asked.size(), 3u);  // stops at the first missing export
}

}  // namespace
}  // namespace tarvolin::device
