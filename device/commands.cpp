#include "device/commands.h"

#include <algorithm>
#include <cstring>

#include "device/device_report.h"

namespace tarvolin::device {
namespace {

// Runs one prepared request and classifies the reply's status. A reply counts only with the
// header and the `reply_data` payload bytes the command takes from it.
int Exchange(DeviceChannel& channel, ReportBytes& request, ReportBytes& reply,
             std::size_t reply_data) {
  SealReport(request);
  std::uint32_t received = 0;
  const int result = channel.Transact(request.data(), request.size(), reply.data(),
                                      static_cast<std::uint32_t>(reply.size()), &received,
                                      static_cast<std::uint32_t>(kOffsetPayload + reply_data));
  if (result != kResultOk) return result;
  if (reply[kOffsetStatus] == kStatusRefused) return kResultRefused;
  if (reply[kOffsetStatus] == kStatusBusy) return kResultBusy;
  return kResultOk;
}

int Simple(DeviceChannel& channel, Command command, std::uint8_t length, std::uint16_t address,
           std::span<const std::uint8_t> payload, std::uint8_t* reply_data,
           std::size_t reply_bytes) {
  ReportBytes request = BuildRequest(command, length, address, payload);
  ReportBytes reply{};
  const int result = Exchange(channel, request, reply, reply_data != nullptr ? reply_bytes : 0);
  if (result == kResultOk && reply_data != nullptr) {
    std::memcpy(reply_data, reply.data() + kOffsetPayload, reply_bytes);
  }
  return result;
}

// Reads `total` bytes in pieces of at most 56, ascending; `base` is added to each address.
int ReadArea(DeviceChannel& channel, Command command, std::uint16_t base, std::uint8_t* destination,
             std::size_t total) {
  ReportBytes reply{};
  for (std::size_t offset = 0; offset < total; offset += kPayloadSize) {
    const std::size_t piece = std::min(kPayloadSize, total - offset);
    ReportBytes request = BuildRequest(command, static_cast<std::uint8_t>(piece),
                                       static_cast<std::uint16_t>(base + offset));
    const int result = Exchange(channel, request, reply, piece);
    if (result != kResultOk) return result;
    std::memcpy(destination + offset, reply.data() + kOffsetPayload, piece);
  }
  return kResultOk;
}

// Writes `total` bytes in pieces of at most 56. The request buffer is cleared once, so a short
// last piece still carries the previous piece's tail, covered by the checksum: the keyboard
// has always been sent exactly this.
int WriteArea(DeviceChannel& channel, Command command, std::uint16_t base,
              const std::uint8_t* source, std::size_t total) {
  ReportBytes request{};
  ReportBytes reply{};
  for (std::size_t offset = 0; offset < total; offset += kPayloadSize) {
    const std::size_t piece = std::min(kPayloadSize, total - offset);
    request[kOffsetReportId] = kReportId;
    request[kOffsetCommand] = static_cast<std::uint8_t>(command);
    request[kOffsetLength] = static_cast<std::uint8_t>(piece);
    SetReportAddress(request, static_cast<std::uint16_t>(base + offset));
    request[kOffsetStatus] = 0;
    std::memcpy(request.data() + kOffsetPayload, source + offset, piece);
    const int result = Exchange(channel, request, reply, 0);
    if (result != kResultOk) return result;
  }
  return kResultOk;
}

bool IsHardwareBlock(int block) {
  return block >= 0 && block < kHardwareProfileCount;
}

}  // namespace

int Begin(DeviceChannel& channel) {
  return Simple(channel, Command::kBegin, 0, 0, {}, nullptr, 0);
}

int End(DeviceChannel& channel) {
  channel.clock().SleepMs(10);
  return Simple(channel, Command::kEnd, 0, 0, {}, nullptr, 0);
}

int ReadSettings(DeviceChannel& channel, SettingsBlock& block) {
  return Simple(channel, Command::kReadSettings, SettingsBlock::kSize, 0, {}, block.bytes.data(),
                SettingsBlock::kSize);
}

int WriteSettings(DeviceChannel& channel, const SettingsBlock& block) {
  return Simple(channel, Command::kWriteSettings, SettingsBlock::kSize, 0, block.bytes, nullptr, 0);
}

int ReadLighting(DeviceChannel& channel, std::uint8_t* buffer, std::uint8_t length,
                 std::uint16_t address) {
  return Simple(channel, Command::kReadLighting, length, address, {}, buffer, kPayloadSize);
}

int WriteLighting(DeviceChannel& channel, const std::uint8_t* data, std::uint8_t length,
                  std::uint16_t address) {
  const std::size_t n = length > 0 ? std::min<std::size_t>(length, kPayloadSize) : 0;
  return Simple(channel, Command::kWriteLighting, length, address, {data, n}, nullptr, 0);
}

int ReadKeyMap(DeviceChannel& channel, int block, std::uint8_t* destination) {
  if (!IsHardwareBlock(block)) return kResultBadBlockIndex;
  return ReadArea(channel, Command::kReadKeyMap,
                  static_cast<std::uint16_t>(block * kKeyMapBlockSize), destination,
                  kKeyMapBlockSize);
}

int WriteKeyMap(DeviceChannel& channel, int block, const std::uint8_t* source) {
  if (!IsHardwareBlock(block)) return kResultBadBlockIndex;
  return WriteArea(channel, Command::kWriteKeyMap,
                   static_cast<std::uint16_t>(block * kKeyMapBlockSize), source, kKeyMapBlockSize);
}

int ReadMacros(DeviceChannel& channel, std::uint8_t* destination, std::size_t length) {
  if (length == 0) return kResultOk;
  return ReadArea(channel, Command::kReadMacros, 0, destination, length);
}

int WriteMacros(DeviceChannel& channel, const std::uint8_t* source, std::size_t length) {
  if (length == 0) return kResultOk;
  return WriteArea(channel, Command::kWriteMacros, 0, source, length);
}

int ReadDefaultLayout(DeviceChannel& channel, std::uint8_t* destination) {
  return ReadArea(channel, Command::kReadDefaultLayout, 0, destination, kKeyMapBlockSize);
}

int ReadKeyColours(DeviceChannel& channel, std::uint8_t* buffer, std::uint8_t length,
                   std::uint16_t offset, int page) {
  return Simple(channel, Command::kReadKeyColours, length,
                static_cast<std::uint16_t>(page * 180 + offset), {}, buffer, kPayloadSize);
}

int WriteKeyColours(DeviceChannel& channel, const std::uint8_t* data, std::uint8_t length,
                    std::uint16_t offset, int selected_profile) {
  const std::size_t n = length > 0 ? std::min<std::size_t>(length, kPayloadSize) : 0;
  return Simple(channel, Command::kWriteKeyColours, length,
                static_cast<std::uint16_t>(selected_profile * 180 + offset), {data, n}, nullptr, 0);
}

}  // namespace tarvolin::device
