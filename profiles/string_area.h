#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/config_state.h"
#include "model/key_assignment.h"

// The string area of a profile file: the texts of launch-program and text-block records,
// UTF-16LE with their terminators, back to back in record order from offset 0. Each such
// record's value field holds its text's offset.

namespace tarvolin::profiles {

constexpr bool IsStringType(std::uint16_t type) {
  return type == model::AssignmentType::kLaunchProgram || type == model::AssignmentType::kTextBlock;
}

// The string-table entry of record `index` (0..2047).
using StringSource = std::function<const model::StringEntry&(std::size_t index)>;

// Builds an area of exactly `area_bytes` bytes, zero where no text lies. Walking the records
// in order, a text goes in when its record is of a string type, it has a size and it still
// fits; its offset is then stored in the record's value. Records without a text keep their
// value.
std::vector<std::uint8_t> PackStringArea(model::ProfileSet& set, const StringSource& strings,
                                         std::uint32_t area_bytes);

// The text at `offset` rounded down to an even number, up to its terminator. The area's
// contents come from a file, so nothing past the area is read: a text without a terminator
// ends with the area, and an offset at or past its end gives no text at all.
std::optional<std::u16string> TextInStringArea(std::span<const std::uint8_t> area,
                                               std::uint32_t offset);

}  // namespace tarvolin::profiles
