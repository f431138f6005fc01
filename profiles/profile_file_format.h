#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/key_assignment.h"
#include "model/macro_record.h"

// The profile file: the 32832-byte ProfileSet (header, descriptor, 2048 records), then the
// macro records, then the string area, all little-endian. The same layout serves the files of
// the hardware profiles and the ".tvc" import and export files.

namespace tarvolin::profiles {

inline constexpr std::size_t kProfileSetBytes = sizeof(model::ProfileSet);    // 32832
inline constexpr std::size_t kMacroRecordBytes = sizeof(model::MacroRecord);  // 16512
inline constexpr std::size_t kFileHeaderBytes = 32;
inline constexpr std::size_t kDescriptorOffset = 32;
inline constexpr std::size_t kDescriptorBytes = 32;

inline constexpr std::uint16_t kFileMagic = 0x4446;
inline constexpr std::uint16_t kFormatTag1Value = 3;
inline constexpr std::uint16_t kFormatTag2Value = 1;
inline constexpr std::uint8_t kHighestFlag = 1;  // writers put 0; readers also accept 1

// Validation reads no file of 4 GiB or more: the header's sizes are 32-bit.
inline constexpr std::uint64_t kMaxProfileFileBytes = 0xFFFFFFFFull;

inline constexpr std::string_view kProfileFileExtension = "tvc";

// The 32 header bytes, field by field.
struct ProfileFileHeader {
  std::uint16_t magic = 0;
  std::uint16_t header_size = 0;
  std::uint16_t format_tag1 = 0;
  std::uint16_t format_tag2 = 0;
  std::uint32_t total_size = 0;
  std::uint16_t record_count = 0;
  std::uint16_t macro_count = 0;
  std::uint32_t string_bytes = 0;
  std::uint32_t reserved1 = 0;
  std::uint32_t reserved2 = 0;
  std::uint16_t reserved3 = 0;
  std::uint8_t flag = 0;
  std::uint8_t checksum = 0;

  static ProfileFileHeader Parse(std::span<const std::uint8_t, kFileHeaderBytes> bytes);
};

// Sum of bytes 0..30 modulo 256.
std::uint8_t HeaderChecksum(std::span<const std::uint8_t, kFileHeaderBytes> bytes);

// The file size a header declares for its counts, computed wide so that no count wraps.
constexpr std::uint64_t DeclaredFileSize(std::uint64_t macro_count, std::uint64_t string_bytes) {
  return kProfileSetBytes + kMacroRecordBytes * macro_count + string_bytes;
}

// The first header field that breaks the format, in the order the checks run.
enum class HeaderFault {
  kNone,
  kMagic,
  kHeaderSize,
  kFormatTag1,
  kFormatTag2,
  kTotalSizeTooSmall,
  kRecordCount,
  kMacroCount,
  kFlag,
  kTotalSizeMismatch,
  kChecksum,
};

HeaderFault CheckProfileHeader(std::span<const std::uint8_t, kFileHeaderBytes> bytes);

// Plain English for the command-line tool.
std::string_view DescribeHeaderFault(HeaderFault fault);

}  // namespace tarvolin::profiles
