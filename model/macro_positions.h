#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "model/config_state.h"
#include "model/macro_record.h"

// A key that plays a macro holds the macro's position in the keyboard's macro image. When the
// macro list is renumbered (a macro deleted or moved), the profiles that are not downloaded
// keep their old positions; these helpers carry such a block over to the new positions.

namespace tarvolin::model {

// Marks an old position whose macro is no longer in the list.
inline constexpr int kMacroGone = -1;

// The ids of `macros` in list order.
std::vector<std::uint16_t> MacroIds(std::span<const MacroRecord> macros);

// For each old position (the macro ids in the keyboard's old order) the position of the same
// id in `macros`, or kMacroGone.
std::vector<int> MacroPositionMap(std::span<const std::uint16_t> old_order,
                                  std::span<const MacroRecord> macros);

// True when some old position now holds another macro or none.
bool MacroPositionsShift(std::span<const int> map);

// Rewrites every [5, 1, p] entry of a block read from the keyboard to the new position of p;
// a key whose macro is gone gets its default entry back. Positions the map does not know
// (already pointing past the old list) and every other byte stay. True when anything changed.
bool RemapMacroPositions(KeyMapBlock& block, std::span<const int> map,
                         const KeyMapBlock& default_map);

}  // namespace tarvolin::model
