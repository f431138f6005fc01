#include "lighting/lighting_commands.h"

#include <algorithm>

#include "device/commands.h"
#include "device/device_report.h"

namespace tarvolin::lighting {

void WriteRecordBytes(device::DeviceChannel& channel, int profile, std::uint8_t offset,
                      std::span<const std::uint8_t> bytes) {
  device::Begin(channel);
  device::WriteLighting(channel, bytes.data(), static_cast<std::uint8_t>(bytes.size()),
                        FieldAddress(profile, offset));
  device::End(channel);
}

void WriteMaskBytes(device::DeviceChannel& channel, int profile, std::uint16_t offset,
                    std::span<const std::uint8_t> bytes) {
  device::Begin(channel);
  device::WriteKeyColours(channel, bytes.data(), static_cast<std::uint8_t>(bytes.size()), offset,
                          profile);
  device::End(channel);
}

void WriteMaskPage(device::DeviceChannel& channel, int profile, const MaskPage& page) {
  device::Begin(channel);
  for (std::size_t offset = 0; offset < kMaskPageSize; offset += kMaskResetPiece) {
    device::WriteKeyColours(channel, page.data() + offset,
                            static_cast<std::uint8_t>(kMaskResetPiece),
                            static_cast<std::uint16_t>(offset), profile);
  }
  device::End(channel);
}

void ReadRecords(device::DeviceChannel& channel, std::array<RecordBytes, kProfileCount>& records) {
  for (int profile = 0; profile < kProfileCount; ++profile) {
    std::array<std::uint8_t, device::kPayloadSize> reply{};
    if (device::ReadLighting(channel, reply.data(), static_cast<std::uint8_t>(device::kPayloadSize),
                             FieldAddress(profile, 0)) != device::kResultOk) {
      continue;
    }
    std::copy_n(reply.begin(), kRecordSize, records[static_cast<std::size_t>(profile)].begin());
  }
}

void ReadMaskPage(device::DeviceChannel& channel, int profile, MaskPage& page) {
  for (std::size_t offset = 0; offset < kMaskPageSize; offset += kMaskReadPiece) {
    std::array<std::uint8_t, device::kPayloadSize> reply{};
    if (device::ReadKeyColours(channel, reply.data(), static_cast<std::uint8_t>(kMaskReadPiece),
                               static_cast<std::uint16_t>(offset), profile) != device::kResultOk) {
      continue;
    }
    const std::size_t kept = std::min(kMaskReadPiece, kMaskPageSize - offset);
    std::copy_n(reply.begin(), kept, page.begin() + static_cast<std::ptrdiff_t>(offset));
  }
}

}  // namespace tarvolin::lighting
