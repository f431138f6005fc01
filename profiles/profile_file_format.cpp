#include "profiles/profile_file_format.h"

#include "platform/little_endian.h"

namespace tarvolin::profiles {
ProfileFileHeader ProfileFileHeader::Parse(std::span<const std::uint8_t, kFileHeaderBytes> bytes) {
  ProfileFileHeader header;
  header.magic = ReadU16Le(bytes, 0);
  header.header_size = ReadU16Le(bytes, 2);
  header.format_tag1 = ReadU16Le(bytes, 4);
  header.format_tag2 = ReadU16Le(bytes, 6);
  header.total_size = ReadU32Le(bytes, 8);
  header.record_count = ReadU16Le(bytes, 12);
  header.macro_count = ReadU16Le(bytes, 14);
  header.string_bytes = ReadU32Le(bytes, 16);
  header.reserved1 = ReadU32Le(bytes, 20);
  header.reserved2 = ReadU32Le(bytes, 24);
  header.reserved3 = ReadU16Le(bytes, 28);
  header.flag = bytes[30];
  header.checksum = bytes[31];
  return header;
}

std::uint8_t HeaderChecksum(std::span<const std::uint8_t, kFileHeaderBytes> bytes) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kFileHeaderBytes - 1; ++i) sum += bytes[i];
  return static_cast<std::uint8_t>(sum & 0xFF);
}

HeaderFault CheckProfileHeader(std::span<const std::uint8_t, kFileHeaderBytes> bytes) {
  const ProfileFileHeader header = ProfileFileHeader::Parse(bytes);
  if (header.magic != kFileMagic) return HeaderFault::kMagic;
  if (header.header_size != kFileHeaderBytes) return HeaderFault::kHeaderSize;
  if (header.format_tag1 != kFormatTag1Value) return HeaderFault::kFormatTag1;
  if (header.format_tag2 != kFormatTag2Value) return HeaderFault::kFormatTag2;
  if (header.total_size < kProfileSetBytes) return HeaderFault::kTotalSizeTooSmall;
  if (header.record_count != model::kRecordCount) return HeaderFault::kRecordCount;
  if (header.macro_count > model::kMaxMacros) return HeaderFault::kMacroCount;
  if (header.flag > kHighestFlag) return HeaderFault::kFlag;
  if (header.total_size != DeclaredFileSize(header.macro_count, header.string_bytes)) {
    return HeaderFault::kTotalSizeMismatch;
  }
  if (header.checksum != HeaderChecksum(bytes)) return HeaderFault::kChecksum;
  return HeaderFault::kNone;
}

std::string_view DescribeHeaderFault(HeaderFault fault) {
  switch (fault) {
    case HeaderFault::kNone:
      return "the header is valid";
    case HeaderFault::kMagic:
      return "the magic number is not 0x4446";
    case HeaderFault::kHeaderSize:
      return "the header size is not 32";
    case HeaderFault::kFormatTag1:
      return "the first format tag is not 3";
    case HeaderFault::kFormatTag2:
      return "the second format tag is not 1";
    case HeaderFault::kTotalSizeTooSmall:
      return "the total size is below 32832";
    case HeaderFault::kRecordCount:
      return "the record count is not 2048";
    case HeaderFault::kMacroCount:
      return "the macro count is above 100";
    case HeaderFault::kFlag:
      return "the flag byte is neither 0 nor 1";
    case HeaderFault::kTotalSizeMismatch:
      return "the total size does not match the macro count and string bytes";
    case HeaderFault::kChecksum:
      return "the checksum is wrong";
  }
  return "unknown fault";
}

}  // namespace tarvolin::profiles
