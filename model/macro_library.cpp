#include "model/macro_library.h"

#include <mutex>

namespace tarvolin::model {

int MacroIndexIn(std::span<const MacroRecord> macros, std::uint16_t id) {
  for (std::size_t i = 0; i < macros.size(); ++i) {
    if (macros[i].id == id) return static_cast<int>(i);
  }
  return 0;
}

const MacroRecord* FindMacroById(std::span<const MacroRecord> macros, std::uint16_t id) {
  for (const MacroRecord& macro : macros) {
    if (macro.id == id) return &macro;
  }
  return nullptr;
}

int MacroIndexById(const EditedConfig& config, std::uint16_t id) {
  std::lock_guard lock(config.mutex());
  return MacroIndexIn(config.macros, id);
}

std::uint16_t MacroIdByIndex(const EditedConfig& config, int index) {
  std::lock_guard lock(config.mutex());
  if (index < 0 || static_cast<std::size_t>(index) >= config.macros.size()) return 0;
  return config.macros[static_cast<std::size_t>(index)].id;
}

int MacroIndexById(const AppliedConfig& config, std::uint16_t id, bool take_lock) {
  std::unique_lock lock(config.mutex(), std::defer_lock);
  if (take_lock) lock.lock();
  return MacroIndexIn(config.macros, id);
}

}  // namespace tarvolin::model
