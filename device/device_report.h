#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/little_endian.h"

namespace tarvolin::device {

// One 64-byte HID report, the same layout for requests and replies.
inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kPayloadSize = 56;
inline constexpr std::uint8_t kReportId = 4;

inline constexpr std::size_t kOffsetReportId = 0;
inline constexpr std::size_t kOffsetChecksum = 1;  // u16, low byte first
inline constexpr std::size_t kOffsetCommand = 3;
inline constexpr std::size_t kOffsetLength = 4;
inline constexpr std::size_t kOffsetAddress = 5;  // u16, low byte first
inline constexpr std::size_t kOffsetStatus = 7;
inline constexpr std::size_t kOffsetPayload = 8;

// Status bytes by which the keyboard refuses a request.
inline constexpr std::uint8_t kStatusRefused = 0xFF;
inline constexpr std::uint8_t kStatusBusy = 0xFE;

enum class Command : std::uint8_t {
  kBegin = 1,
  kEnd = 2,
  kReadSettings = 3,
  kWriteSettings = 4,
  kReadLighting = 5,
  kWriteLighting = 6,
  kReadKeyMap = 7,
  kWriteKeyMap = 8,
  kReadMacros = 9,
  kWriteMacros = 10,
  kReadDefaultLayout = 15,
  kReadKeyColours = 16,
  kWriteKeyColours = 17,
};

using ReportBytes = std::array<std::uint8_t, kReportSize>;

// Plain sum of bytes 3..63; it cannot exceed 61 * 255 = 15555.
std::uint16_t ReportChecksum(const ReportBytes& report);

// Stores the checksum at bytes 1-2; call after every other byte is final.
void SealReport(ReportBytes& report);

// A fresh request: report id 4, status 0, the header fields, the payload (at most 56 bytes,
// the rest zero) and the checksum.
ReportBytes BuildRequest(Command command, std::uint8_t length, std::uint16_t address,
                         std::span<const std::uint8_t> payload = {});

inline std::uint16_t ReportAddress(const ReportBytes& r) {
  return ReadU16Le(r, kOffsetAddress);
}
inline void SetReportAddress(ReportBytes& r, std::uint16_t address) {
  WriteU16Le(r, kOffsetAddress, address);
}
inline std::span<std::uint8_t, kPayloadSize> ReportPayload(ReportBytes& r) {
  return std::span<std::uint8_t, kPayloadSize>(r.data() + kOffsetPayload, kPayloadSize);
}
inline std::span<const std::uint8_t, kPayloadSize> ReportPayload(const ReportBytes& r) {
  return std::span<const std::uint8_t, kPayloadSize>(r.data() + kOffsetPayload, kPayloadSize);
}

}  // namespace tarvolin::device
