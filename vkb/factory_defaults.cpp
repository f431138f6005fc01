#include <array>
#include <cstdint>

#include "lighting/default_key_masks.h"
#include "vkb/firmware.h"

namespace tarvolin::vkb {
namespace {

// Keyboard-page usage of each key-list entry 0x00..0x61, in list order; the eight
// modifiers (0x62..0x69) are stored as modifier bits instead.
constexpr std::array<std::uint8_t, 0x62> kUsageByListId = {
    0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10,
    0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D,  // A..Z
    0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27,                    // 1..0
    0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x33, 0x34, 0x35,
    0x36, 0x37, 0x38,                                                        // Enter../
    0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45,  // F1..F12
    0x46, 0x48, 0x48, 0x49, 0x4C, 0x4A, 0x4D, 0x4B, 0x4E, 0x52, 0x51, 0x50, 0x4F,
    0x47, 0x39, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D,
    0x5E, 0x5F, 0x60, 0x61, 0x62, 0x63, 0x64, 0x65};
constexpr std::array<std::uint8_t, 8> kModifierBitByListId = {0x01, 0x02, 0x04, 0x08,
                                                              0x10, 0x20, 0x40, 0x80};

// The keyboard's position order: the 105 keys of the main window in its button order, then
// the G-keys of both banks, then three media keys.
constexpr std::array<std::uint8_t, 105> kPositionListIds = [] {
  std::array<std::uint8_t, 105> ids{};
  std::size_t n = 0;
  for (int id = 0x00; id <= 0x41; ++id) ids[n++] = static_cast<std::uint8_t>(id);
  for (int id = 0x43; id <= 0x4E; ++id) ids[n++] = static_cast<std::uint8_t>(id);
  for (int id : {0x61, 0x62, 0x66, 0x63, 0x67, 0x64, 0x68, 0x65, 0x69})
    ids[n++] = static_cast<std::uint8_t>(id);
  for (int id = 0x55; id <= 0x5E; ++id) ids[n++] = static_cast<std::uint8_t>(id);
  for (int id : {0x4F, 0x54, 0x5F, 0x50, 0x51, 0x52, 0x53, 0x60})
    ids[n++] = static_cast<std::uint8_t>(id);
  return ids;
}();
static_assert(kPositionListIds[104] == 0x60);

constexpr std::array<std::uint16_t, 3> kMediaUsages = {0x0E2, 0x0EA, 0x0E9};  // mute, vol-, vol+

constexpr std::array<std::uint8_t, 35> kDefaultLightingRecord = {
    0x05, 0x03, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x08, 0xFF, 0xFF, 0xFF,
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00,
    0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00};

}  // namespace

std::array<std::uint8_t, FirmwareMemory::kBlockSize> FactoryDefaultLayout() {
  std::array<std::uint8_t, FirmwareMemory::kBlockSize> layout{};
  std::size_t at = 0;
  auto put = [&](std::uint8_t kind, std::uint8_t a, std::uint8_t b) {
    layout[at++] = kind;
    layout[at++] = a;
    layout[at++] = b;
  };
  for (std::uint8_t id : kPositionListIds) {
    if (id >= 0x62) {
      put(2, 1, kModifierBitByListId[id - 0x62]);
    } else {
      put(2, 2, kUsageByListId[id]);
    }
  }
  for (std::uint8_t n = 1; n <= 18; ++n) put(6, 0xA2, n);
  for (std::uint16_t usage : kMediaUsages) {
    put(3, static_cast<std::uint8_t>(usage & 0xFF), static_cast<std::uint8_t>(usage >> 8));
  }
  // 126 entries; the tail (378..511) is the keyboard's own and left as zeros.
  return layout;
}

std::array<std::uint8_t, FirmwareMemory::kLightingRecordSize> FactoryLightingRecord() {
  std::array<std::uint8_t, FirmwareMemory::kLightingRecordSize> record{};
  for (std::size_t i = 0; i < kDefaultLightingRecord.size(); ++i) {
    record[i] = kDefaultLightingRecord[i];
  }
  return record;
}

std::array<std::uint8_t, FirmwareMemory::kKeyColourPageSize> FactoryKeyColourPage() {
  static_assert(lighting::kDefaultMaskPage.size() == FirmwareMemory::kKeyColourPageSize);
  return lighting::kDefaultMaskPage;
}

}  // namespace tarvolin::vkb
