#include "ui/dialogs/macro_pane/macro_working_set.h"

#include <algorithm>
#include <new>
#include <string>

namespace tarvolin::dialogs {
namespace {

char16_t FoldCase(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool BeginsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char16_t a, char16_t b) { return FoldCase(a) == FoldCase(b); });
}

}  // namespace

std::vector<const model::MacroRecord*> MacroWorkingSet::Records() const {
  std::vector<const model::MacroRecord*> records;
  records.reserve(macros_.size());
  for (const auto& macro : macros_) records.push_back(macro.get());
  return records;
}

int MacroWorkingSet::IndexOfId(std::uint16_t id) const {
  for (std::size_t i = 0; i < macros_.size(); ++i) {
    if (macros_[i]->id == id) return static_cast<int>(i);
  }
  return -1;
}

void MacroWorkingSet::Load(std::span<const model::MacroRecord> library) {
  macros_.clear();
  for (const model::MacroRecord& record : library) {
    auto copy = std::make_unique<model::MacroRecord>(record);
    copy->new_mark = 0;
    macros_.push_back(std::move(copy));
  }
}

std::u16string MacroWorkingSet::NextName(std::u16string_view prefix) {
  if (macros_.empty()) name_counter_ = 0;
  for (;;) {
    ++name_counter_;
    const std::string number = std::to_string(name_counter_);
    std::u16string candidate(prefix);
    candidate.append(number.begin(), number.end());
    const bool taken = std::any_of(macros_.begin(), macros_.end(), [&](const auto& macro) {
      return BeginsWithIgnoringCase(macro->Name(), candidate);
    });
    if (!taken) return candidate;
  }
}

std::uint16_t MacroWorkingSet::FreeId() const {
  for (std::uint16_t id = 1; id <= model::kMaxMacros; ++id) {
    if (IndexOfId(id) < 0) return id;
  }
  return 0;
}

int MacroWorkingSet::Create(std::u16string_view name, std::size_t position) {
  const std::uint16_t id = FreeId();
  if (macros_.size() >= model::kMaxMacros || id == 0) return -1;
  std::unique_ptr<model::MacroRecord> record(new (std::nothrow) model::MacroRecord());
  if (!record) return -1;
  record->SetName(name);
  record->play_count = 1;
  record->new_mark = 1;
  record->id = id;
  position = std::min(position, macros_.size());
  try {
    macros_.insert(macros_.begin() + static_cast<std::ptrdiff_t>(position), std::move(record));
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return static_cast<int>(position);
}

void MacroWorkingSet::Rename(std::size_t index, std::u16string_view name) {
  if (index < macros_.size()) macros_[index]->SetName(name);
}

bool MacroWorkingSet::Remove(std::size_t index) {
  if (index >= macros_.size()) return false;
  macros_.erase(macros_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

std::vector<model::MacroRecord> MacroWorkingSet::CopyLibrary() const {
  std::vector<model::MacroRecord> library;
  library.reserve(macros_.size());
  for (const auto& macro : macros_) {
    library.push_back(*macro);
    library.back().new_mark = 0;
  }
  return library;
}

void MacroWorkingSet::ClearNewMarks() {
  for (const auto& macro : macros_) macro->new_mark = 0;
}

bool MacroUsedByKeys(const model::ProfileSet& profiles, std::uint16_t id) {
  return std::any_of(
      profiles.records.begin(), profiles.records.end(), [id](const model::KeyAssignment& record) {
        return record.type == model::AssignmentType::kMacro && (record.value & 0xFFFF) == id;
      });
}

MacroKeyReconciliation ReconcileMacroKeys(model::ProfileSet& profiles,
                                          std::span<const model::MacroRecord* const> macros) {
  MacroKeyReconciliation result;
  for (std::size_t index = 0; index < profiles.records.size(); ++index) {
    model::KeyAssignment& record = profiles.records[index];
    if (record.type != model::AssignmentType::kMacro) continue;
    const auto id = static_cast<std::uint16_t>(record.value & 0xFFFF);
    if (id == 0) {
      if (!macros.empty()) {
        record.value = macros.front()->id;
        result.changed = true;
      }
      continue;
    }
    const auto macro = std::find_if(macros.begin(), macros.end(),
                                    [id](const model::MacroRecord* m) { return m->id == id; });
    if (macro == macros.end() || (*macro)->new_mark == 1) {
      record.type = model::AssignmentType::kDefault;
      result.resetRecords.push_back(index);
      result.changed = true;
    }
  }
  return result;
}

}  // namespace tarvolin::dialogs
