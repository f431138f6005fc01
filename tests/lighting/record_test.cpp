#include <gtest/gtest.h>

#include "lighting/lighting_fields.h"
#include "lighting/lighting_record.h"

namespace tarvolin::lighting {
namespace {

RecordBytes Numbered() {
  RecordBytes bytes;
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
  return bytes;
}

TEST(LightingRecordTest, FieldsSitAtTheirOffsetsAndRoundTrip) {
  const RecordBytes bytes = Numbered();
  const LightingRecord record = RecordFromBytes(bytes);
  EXPECT_EQ(record.effect, 1);
  EXPECT_EQ(record.direction, 5);
  EXPECT_EQ(record.colour_a[2], 8);
  EXPECT_EQ(record.base_colour[0], 10);
  EXPECT_EQ(record.report_rate, 16);
  EXPECT_EQ(record.user_tool, 17);
  EXPECT_EQ(record.trigger, 20);
  EXPECT_EQ(record.colour_c[0], 26);
  EXPECT_EQ(record.colour_d_multicolour, 34);
  EXPECT_EQ(record.reserved_34[7], 42);
  EXPECT_EQ(BytesOfRecord(record), bytes);
  EXPECT_EQ(FieldAddress(2, field::kBrightness), 85);
  EXPECT_EQ(FieldAddress(1, field::kReportRate), 57);
}

TEST(LightingRecordTest, DefaultRecordDecodesToTheResetValues) {
  RecordBytes bytes{};
  std::copy(kDefaultRecordBytes.begin(), kDefaultRecordBytes.end(), bytes.begin());
  LightingFields fields;
  DecodeRecord(RecordFromBytes(bytes), fields);
  EXPECT_EQ(fields.effect, 5);
  EXPECT_EQ(fields.brightness, 3);
  EXPECT_EQ(fields.speed, 1);
  EXPECT_EQ(fields.user_mode, 0);
  EXPECT_EQ(fields.direction, 0xFF);
  EXPECT_EQ(fields.colour_a, 0x0000FFu);  // red as 0x00BBGGRR
  EXPECT_EQ(fields.base_colour, 0xFFFFFFu);
  EXPECT_EQ(fields.colour_b, 0x0000FFu);
  EXPECT_EQ(fields.report_rate, 0);
  EXPECT_EQ(fields.user_tool, kToolPaint);  // stored as 0xFF
  EXPECT_EQ(fields.colour_c, 0xFFFFFFu);
  EXPECT_EQ(fields.colour_d, 0xFFFFFFu);
  EXPECT_FALSE(fields.colour_c_multicolour);
  EXPECT_FALSE(fields.colour_d_multicolour);
  EXPECT_EQ(bytes[8], 8);  // passed through, not interpreted
}

TEST(LightingRecordTest, DecodeLimitsOutOfRangeValues) {
  LightingFields fields;
  fields.effect7_multicolour = 1;
  fields.trigger = 1;
  RecordBytes bytes{};
  bytes[0] = 9;   // not effect 7
  bytes[15] = 7;  // report rate
  bytes[16] = 2;  // tool
  bytes[18] = 0;  // effect-7 flag, ignored for effect 9
  bytes[19] = 5;  // trigger out of range
  bytes[12] = 0x11;
  bytes[13] = 0x22;
  bytes[14] = 0x33;
  bytes[28] = 7;
  DecodeRecord(RecordFromBytes(bytes), fields);
  EXPECT_EQ(fields.report_rate, 3);
  EXPECT_EQ(fields.user_tool, kToolPaint);
  EXPECT_EQ(fields.effect7_multicolour, 1);
  EXPECT_EQ(fields.trigger, 1);
  EXPECT_EQ(fields.colour_b, 0x332211u);
  EXPECT_TRUE(fields.colour_c_multicolour);

  bytes[0] = 7;
  bytes[16] = 1;
  bytes[18] = 2;  // out of range even for effect 7
  bytes[19] = 0;
  DecodeRecord(RecordFromBytes(bytes), fields);
  EXPECT_EQ(fields.user_tool, kToolErase);
  EXPECT_EQ(fields.effect7_multicolour, 1);
  EXPECT_EQ(fields.trigger, 0);
  bytes[18] = 0;
  DecodeRecord(RecordFromBytes(bytes), fields);
  EXPECT_EQ(fields.effect7_multicolour, 0);
}

}  // namespace
}  // namespace tarvolin::lighting
