#include "model/macro_positions.h"

#include <algorithm>

#include "model/key_map.h"

namespace tarvolin::model {

std::vector<std::uint16_t> MacroIds(std::span<const MacroRecord> macros) {
  std::vector<std::uint16_t> ids;
  ids.reserve(macros.size());
  for (const MacroRecord& macro : macros) ids.push_back(macro.id);
  return ids;
}

std::vector<int> MacroPositionMap(std::span<const std::uint16_t> old_order,
                                  std::span<const MacroRecord> macros) {
  std::vector<int> map;
  map.reserve(old_order.size());
  for (const std::uint16_t id : old_order) {
    const auto found = std::find_if(macros.begin(), macros.end(),
                                    [id](const MacroRecord& macro) { return macro.id == id; });
    map.push_back(found == macros.end() ? kMacroGone : static_cast<int>(found - macros.begin()));
  }
  return map;
}

bool MacroPositionsShift(std::span<const int> map) {
  for (std::size_t position = 0; position < map.size(); ++position) {
    if (map[position] != static_cast<int>(position)) return true;
  }
  return false;
}

bool RemapMacroPositions(KeyMapBlock& block, std::span<const int> map,
                         const KeyMapBlock& default_map) {
  bool changed = false;
  for (std::size_t k = 0; k < kKeyMapPositions; ++k) {
    const KeyMapEntry entry = EntryAt(block, k);
    if (entry.kind != entry_kind::kMacroControl || entry.a != kMacroPlay) continue;
    if (entry.b >= map.size()) continue;
    const int target = map[entry.b];
    const KeyMapEntry remapped =
        target == kMacroGone ? EntryAt(default_map, k)
                             : KeyMapEntry{entry.kind, entry.a, static_cast<std::uint8_t>(target)};
    if (remapped == entry) continue;
    SetEntryAt(block, k, remapped);
    changed = true;
  }
  return changed;
}

}  // namespace tarvolin::model
