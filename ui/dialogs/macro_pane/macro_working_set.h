#pragma once
// The pane's working copies of the macro library, in the order of the macro combo: names for
// new macros, free ids, renaming, and the new library a commit installs. Portable.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/key_assignment.h"
#include "model/macro_record.h"

namespace tarvolin::dialogs {

class MacroWorkingSet {
 public:
  std::size_t size() const { return macros_.size(); }
  bool empty() const { return macros_.empty(); }
  model::MacroRecord& at(std::size_t index) { return *macros_.at(index); }
  const model::MacroRecord& at(std::size_t index) const { return *macros_.at(index); }
  // The records in combo order, for size checks.
  std::vector<const model::MacroRecord*> Records() const;
  // The index of the first macro with `id`, or -1.
  int IndexOfId(std::uint16_t id) const;

  // Copies of the library's macros, each with its new mark cleared.
  void Load(std::span<const model::MacroRecord> library);
  void Clear() { macros_.clear(); }

  // The next free name "<prefix><n>": the counter restarts when the set is empty, and a
  // candidate that begins an existing name (ignoring case) is skipped.
  std::u16string NextName(std::u16string_view prefix);
  // The smallest id 1..100 no macro uses; 0 when all are taken.
  std::uint16_t FreeId() const;
  // A new empty macro named `name` (cut to the name field), play count 1, new mark 1, the
  // smallest free id, inserted at `position` (clamped to the end). Returns its index, or -1
  // when the set is full or no memory is left.
  int Create(std::u16string_view name, std::size_t position);
  void Rename(std::size_t index, std::u16string_view name);
  bool Remove(std::size_t index);

  // The library a commit installs: copies of the records in combo order, their new marks
  // cleared. Throws std::bad_alloc when there is no memory.
  std::vector<model::MacroRecord> CopyLibrary() const;
  // After the commit: no macro counts as new any more.
  void ClearNewMarks();

 private:
  std::vector<std::unique_ptr<model::MacroRecord>> macros_;
  int name_counter_ = 0;
};

// True when a key assignment of `profiles` plays macro `id` (every record of the four
// profiles is looked at).
bool MacroUsedByKeys(const model::ProfileSet& profiles, std::uint16_t id);

// What the commit did to the key assignments.
struct MacroKeyReconciliation {
  bool changed = false;                   // the main window's Apply is needed
  std::vector<std::size_t> resetRecords;  // record index (profile * 512 + slot), now type 0
};
// Before the library is replaced: a macro key with id 0 gets the first macro's id (when there
// is a macro); a macro key whose id no macro of `macros` has, or whose macro is new (its id
// may have belonged to a macro deleted in the same session), becomes type 0.
MacroKeyReconciliation ReconcileMacroKeys(model::ProfileSet& profiles,
                                          std::span<const model::MacroRecord* const> macros);

}  // namespace tarvolin::dialogs
