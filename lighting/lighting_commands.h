#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "device/device_channel.h"
#include "lighting/key_masks.h"
#include "lighting/lighting_record.h"

// The keyboard exchanges of the lighting code: every change is one Begin, write, End
// sequence. Results are not examined: the caller keeps the user's choice either way, and
// with no keyboard each command returns at once.

namespace tarvolin::lighting {

// Bytes of a profile's record from `offset` on.
void WriteRecordBytes(device::DeviceChannel& channel, int profile, std::uint8_t offset,
                      std::span<const std::uint8_t> bytes);

// Bytes of a profile's mask page from `offset` on, in one request.
void WriteMaskBytes(device::DeviceChannel& channel, int profile, std::uint16_t offset,
                    std::span<const std::uint8_t> bytes);

// A whole mask page, in four 45-byte pieces.
inline constexpr std::size_t kMaskResetPiece = 45;
void WriteMaskPage(device::DeviceChannel& channel, int profile, const MaskPage& page);

// Inside an open sequence: the three records (56-byte reads at 0, 42, 84). A record whose
// read fails keeps its previous bytes in `records`.
void ReadRecords(device::DeviceChannel& channel, std::array<RecordBytes, kProfileCount>& records);

// Inside an open sequence: a profile's mask page in four 54-byte reads. Only the first 180 of
// the 216 bytes read belong to the page; a piece whose read fails keeps its previous bytes.
inline constexpr std::size_t kMaskReadPiece = 54;
void ReadMaskPage(device::DeviceChannel& channel, int profile, MaskPage& page);

}  // namespace tarvolin::lighting
