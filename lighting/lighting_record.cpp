#include "lighting/lighting_record.h"

#include <cstring>

namespace tarvolin::lighting {

const std::array<std::uint8_t, kDefaultRecordLength> kDefaultRecordBytes = {
    0x05, 0x03, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00,  // 0..7
    0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00,  // 8..15
    0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00,  // 16..23
    0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF,  // 24..31
    0xFF, 0x00, 0x00,                                // 32..34
};

LightingRecord RecordFromBytes(std::span<const std::uint8_t, kRecordSize> bytes) {
  LightingRecord record;
  std::memcpy(&record, bytes.data(), kRecordSize);
  return record;
}

RecordBytes BytesOfRecord(const LightingRecord& record) {
  RecordBytes bytes;
  std::memcpy(bytes.data(), &record, kRecordSize);
  return bytes;
}

}  // namespace tarvolin::lighting
