#include <cstring>

#include "device/hid_library.h"
#include "model/key_assignment.h"

namespace tarvolin::model {
namespace {

void PutU16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::uint32_t kMacroRecordSize = sizeof(MacroRecord);

}  // namespace

std::uint16_t ProfileSet::MacroCount() const {
  return static_cast<std::uint16_t>(header[kOffsetMacroCount] |
                                    (header[kOffsetMacroCount + 1] << 8));
}

std::uint32_t ProfileSet::StringBytes() const {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | header[kOffsetStringBytes + i];
  return value;
}

void WriteProfileHeader(ProfileSet& set, std::uint16_t macro_count, std::uint32_t string_bytes) {
  std::uint8_t* h = set.header.data();
  std::memset(h, 0, 32);
  PutU16(h + 0, 0x4446);
  PutU16(h + 2, 32);
  PutU16(h + 4, 3);
  PutU16(h + 6, 1);
  PutU32(h + 8, static_cast<std::uint32_t>(sizeof(ProfileSet)) + kMacroRecordSize * macro_count +
                    string_bytes);
  PutU16(h + 12, static_cast<std::uint16_t>(kRecordCount));
  PutU16(h + 14, macro_count);
  PutU32(h + 16, string_bytes);
  std::uint32_t sum = 0;
  for (int i = 0; i < 31; ++i) sum += h[i];
  h[31] = static_cast<std::uint8_t>(sum & 0xFF);
}

void WriteProfileSetDescriptor(ProfileSet& set) {
  std::uint8_t* d = set.header.data() + 32;
  std::memset(d, 0, 32);
  PutU16(d + 0, 0x484B);
  PutU16(d + 2, 32);
  PutU32(d + 4, 32800);
  PutU16(d + 8, kProfileCount);
  PutU16(d + 10, kSlotsPerProfile);
  PutU16(d + 16, device::kVendorId);
  PutU16(d + 18, device::kProductId);
  PutU32(d + 20, 0x000E1C4F);
}

}  // namespace tarvolin::model
