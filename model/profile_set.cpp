#include <algorithm>
#include <span>

#include "device/hid_library.h"
#include "model/key_assignment.h"
#include "platform/little_endian.h"

namespace tarvolin::model {
namespace {

constexpr std::uint32_t kMacroRecordSize = sizeof(MacroRecord);

}  // namespace

std::uint16_t ProfileSet::MacroCount() const {
  return ReadU16Le(header, kOffsetMacroCount);
}

std::uint32_t ProfileSet::StringBytes() const {
  return ReadU32Le(header, kOffsetStringBytes);
}

void WriteProfileHeader(ProfileSet& set, std::uint16_t macro_count, std::uint32_t string_bytes) {
  const std::span<std::uint8_t> h = std::span(set.header).first(32);
  std::fill(h.begin(), h.end(), std::uint8_t{0});
  WriteU16Le(h, 0, 0x4446);
  WriteU16Le(h, 2, 32);
  WriteU16Le(h, 4, 3);
  WriteU16Le(h, 6, 1);
  WriteU32Le(h, 8,
             static_cast<std::uint32_t>(sizeof(ProfileSet)) + kMacroRecordSize * macro_count +
                 string_bytes);
  WriteU16Le(h, 12, static_cast<std::uint16_t>(kRecordCount));
  WriteU16Le(h, 14, macro_count);
  WriteU32Le(h, 16, string_bytes);
  std::uint32_t sum = 0;
  for (int i = 0; i < 31; ++i) sum += h[i];
  h[31] = static_cast<std::uint8_t>(sum & 0xFF);
}

void WriteProfileSetDescriptor(ProfileSet& set) {
  const std::span<std::uint8_t> d = std::span(set.header).subspan(32, 32);
  std::fill(d.begin(), d.end(), std::uint8_t{0});
  WriteU16Le(d, 0, 0x484B);
  WriteU16Le(d, 2, 32);
  WriteU32Le(d, 4, 32800);
  WriteU16Le(d, 8, kProfileCount);
  WriteU16Le(d, 10, kSlotsPerProfile);
  WriteU16Le(d, 16, device::kVendorId);
  WriteU16Le(d, 18, device::kProductId);
  WriteU32Le(d, 20, 0x000E1C4F);
}

}  // namespace tarvolin::model
