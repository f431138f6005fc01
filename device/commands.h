#pragma once
#include <cstddef>
#include <cstdint>

#include "device/device_channel.h"
#include "device/settings_block.h"

// One function per keyboard command. Every function returns:
//   1 success (reply data copied), 0 no keyboard / wait failed, -1 write refused,
//   -2 no matching reply, -102 status 0xFF, -103 status 0xFE, -201 block index not 0..2.
// None shows a message; callers decide.

namespace tarvolin::device {

inline constexpr int kResultRefused = -102;  // status 0xFF
inline constexpr int kResultBusy = -103;     // status 0xFE
inline constexpr int kResultBadBlockIndex = -201;

inline constexpr std::size_t kKeyMapBlockSize = 512;
inline constexpr int kHardwareProfileCount = 3;

int Begin(DeviceChannel& channel);
// Sleeps 10 ms before it sends, so the keyboard has finished the last write.
int End(DeviceChannel& channel);

int ReadSettings(DeviceChannel& channel, SettingsBlock& block);
int WriteSettings(DeviceChannel& channel, const SettingsBlock& block);

// `buffer` receives all 56 payload bytes, so it holds at least 56.
int ReadLighting(DeviceChannel& channel, std::uint8_t* buffer, std::uint8_t length,
                 std::uint16_t address);
int WriteLighting(DeviceChannel& channel, const std::uint8_t* data, std::uint8_t length,
                  std::uint16_t address);

// 512-byte key-map blocks of hardware profiles 0..2, in 56-byte pieces.
int ReadKeyMap(DeviceChannel& channel, int block, std::uint8_t* destination);
int WriteKeyMap(DeviceChannel& channel, int block, const std::uint8_t* source);

// The macro area from offset 0, `length` bytes; length 0 succeeds with nothing sent.
int ReadMacros(DeviceChannel& channel, std::uint8_t* destination, std::size_t length);
int WriteMacros(DeviceChannel& channel, const std::uint8_t* source, std::size_t length);

// The keyboard's 512-byte default key layout.
int ReadDefaultLayout(DeviceChannel& channel, std::uint8_t* destination);

// Key colour pages of 180 bytes: address = page * 180 + offset. `buffer` holds 56 bytes.
int ReadKeyColours(DeviceChannel& channel, std::uint8_t* buffer, std::uint8_t length,
                   std::uint16_t offset, int page);
// The page is the selected lighting profile (0..2).
int WriteKeyColours(DeviceChannel& channel, const std::uint8_t* data, std::uint8_t length,
                    std::uint16_t offset, int selected_profile);

}  // namespace tarvolin::device
