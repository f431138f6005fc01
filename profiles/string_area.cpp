#include "profiles/string_area.h"

#include <algorithm>

#include "platform/little_endian.h"

namespace tarvolin::profiles {

std::vector<std::uint8_t> PackStringArea(model::ProfileSet& set, const StringSource& strings,
                                         std::uint32_t area_bytes) {
  std::vector<std::uint8_t> area(area_bytes, 0);
  std::size_t sum = 0;
  for (std::size_t i = 0; i < model::kRecordCount; ++i) {
    model::KeyAssignment& record = set.records[i];
    const model::StringEntry& entry = strings(i);
    if (entry.bytes == 0 || sum + entry.bytes > area.size() || !IsStringType(record.type)) {
      continue;
    }
    // The entry's size counts the text and its terminator; the terminator is already zero.
    const std::size_t capacity = entry.bytes >= 2 ? entry.bytes / 2 - 1 : 0;
    const std::size_t units = std::min(entry.text.size(), capacity);
    for (std::size_t c = 0; c < units; ++c) WriteU16Le(area, sum + 2 * c, entry.text[c]);
    record.value = static_cast<std::uint32_t>(sum);
    sum += entry.bytes;
  }
  return area;
}

std::optional<std::u16string> TextInStringArea(std::span<const std::uint8_t> area,
                                               std::uint32_t offset) {
  std::size_t at = offset & ~std::uint32_t{1};
  if (at >= area.size()) return std::nullopt;
  std::u16string text;
  for (; at + 1 < area.size(); at += 2) {
    const auto unit = static_cast<char16_t>(ReadU16Le(area, at));
    if (unit == u'\0') break;
    text.push_back(unit);
  }
  return text;
}

}  // namespace tarvolin::profiles
