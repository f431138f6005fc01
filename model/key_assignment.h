#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/key_code.h"
#include "model/macro_record.h"

// What one key does in one profile, and the four-profile image that holds them. Both are
// stored in profile files exactly as in memory.

namespace tarvolin::model {

struct AssignmentType {
  static constexpr std::uint16_t kDefault = 0;
  static constexpr std::uint16_t kDisabled = 1;
  static constexpr std::uint16_t kSingleKey = 2;      // value: key code
  static constexpr std::uint16_t kLaunchProgram = 3;  // text in the string table
  static constexpr std::uint16_t kMacro = 4;          // value: macro id; tag: cycles
  static constexpr std::uint16_t kStopMacro = 5;
  static constexpr std::uint16_t kTextBlock = 6;  // text in the string table
  static constexpr std::uint16_t kMedia = 7;      // value: media index 0..17
  static constexpr std::uint16_t kFunction = 8;   // value: function index 0..10
};

struct KeyAssignment {
  std::uint16_t type = AssignmentType::kDefault;
  std::uint16_t tag = 0;  // cycles for macros, the slot tag on G slots, else 0
  std::uint32_t value = 0;
  std::uint32_t mark = 0;  // stored with the profile, never sent to the keyboard
  std::uint32_t reserved = 0;
  friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};
static_assert(sizeof(KeyAssignment) == 16);
static_assert(offsetof(KeyAssignment, tag) == 2);
static_assert(offsetof(KeyAssignment, value) == 4);
static_assert(offsetof(KeyAssignment, mark) == 8);
static_assert(offsetof(KeyAssignment, reserved) == 12);

inline constexpr int kProfileCount = 4;          // the fourth is never sent to the keyboard
inline constexpr int kHardwareProfileCount = 3;  // key-map blocks 0..2
inline constexpr std::size_t kRecordCount = kProfileCount * kSlotsPerProfile;  // 2048

using ProfileRecords = std::span<KeyAssignment, kSlotsPerProfile>;
using ConstProfileRecords = std::span<const KeyAssignment, kSlotsPerProfile>;

// The 32832-byte image of four profiles: the 64-byte profile header, then 512 records per
// profile. It is also the first block of a profile file.
struct ProfileSet {
  static constexpr std::size_t kHeaderSize = 64;
  static constexpr std::size_t kOffsetMacroCount = 14;   // u16
  static constexpr std::size_t kOffsetStringBytes = 16;  // u32

  std::array<std::uint8_t, kHeaderSize> header{};
  std::array<KeyAssignment, kRecordCount> records{};

  KeyAssignment& Record(int profile, std::size_t slot) {
    return records[static_cast<std::size_t>(profile) * kSlotsPerProfile + slot];
  }
  const KeyAssignment& Record(int profile, std::size_t slot) const {
    return records[static_cast<std::size_t>(profile) * kSlotsPerProfile + slot];
  }
  ProfileRecords Profile(int profile) {
    return ProfileRecords(records.data() + static_cast<std::size_t>(profile) * kSlotsPerProfile,
                          kSlotsPerProfile);
  }
  ConstProfileRecords Profile(int profile) const {
    return ConstProfileRecords(
        records.data() + static_cast<std::size_t>(profile) * kSlotsPerProfile, kSlotsPerProfile);
  }

  std::uint16_t MacroCount() const;
  std::uint32_t StringBytes() const;
};
static_assert(sizeof(ProfileSet) == 32832);
static_assert(offsetof(ProfileSet, records) == 64);

inline constexpr bool IsValidProfile(int profile) {
  return profile >= 0 && profile < kProfileCount;
}

// Rebuilds the 32-byte file header at the start of the set for `macro_count` macros and
// `string_bytes` bytes of strings: magic, sizes, tags, flag 0 and checksum.
void WriteProfileHeader(ProfileSet& set, std::uint16_t macro_count, std::uint32_t string_bytes);
// Writes the constant descriptor (bytes 32..63) that every freshly built set carries.
void WriteProfileSetDescriptor(ProfileSet& set);

}  // namespace tarvolin::model
