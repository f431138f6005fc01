#pragma once
#include <cstdint>
#include <span>

#include "model/config_state.h"
#include "model/macro_record.h"

// Lookups in the macro library. Macros are named by id in key assignments and by position
// in the keyboard's key map.

namespace tarvolin::model {

// The index of the first macro with `id`, or 0 when none has it (the keyboard then plays the
// first macro).
int MacroIndexIn(std::span<const MacroRecord> macros, std::uint16_t id);
// The first macro with `id`, or null.
const MacroRecord* FindMacroById(std::span<const MacroRecord> macros, std::uint16_t id);

// On the EditedConfig, each under its lock for its own duration.
int MacroIndexById(const EditedConfig& config, std::uint16_t id);
// The id of the macro at `index`; 0 when the index is negative or not below the count.
std::uint16_t MacroIdByIndex(const EditedConfig& config, int index);

// The AppliedConfig's twin, which the download calls with the lock already held.
int MacroIndexById(const AppliedConfig& config, std::uint16_t id, bool take_lock);

// The process-wide library.
inline int MacroIndexById(std::uint16_t id) {
  return MacroIndexById(TheEditedConfig(), id);
}
inline std::uint16_t MacroIdByIndex(int index) {
  return MacroIdByIndex(TheEditedConfig(), index);
}

}  // namespace tarvolin::model
