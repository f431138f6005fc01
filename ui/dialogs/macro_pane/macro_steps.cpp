#include "ui/dialogs/macro_pane/macro_steps.h"

#include <algorithm>

#include "model/macro_image.h"
#include "platform/number_text.h"

namespace tarvolin::dialogs {

std::uint32_t RecordedDelay(int recordDelayFlag, std::uint32_t measuredMs) {
  if (recordDelayFlag == 1) return measuredMs;
  if (recordDelayFlag == 0) return kPlainRecordingDelayMs;
  return 0;
}

TypedDelay ParseTypedDelay(std::u16string_view text) {
  const int value = ParseLeadingInt(text);
  TypedDelay result;
  if (value < 0 || static_cast<std::uint32_t>(value) > kMaxTypedDelayMs) {
    result.aboveLimit = true;
    result.ms = kMaxTypedDelayMs;
  } else {
    result.ms = static_cast<std::uint32_t>(value);
  }
  result.ms -= result.ms % kDelayStepMs;
  return result;
}

TypedPlayCount ParsePlayCount(std::u16string_view text) {
  std::size_t pos = 0;
  const std::optional<int> value = ReadLeadingInt(text, pos);
  TypedPlayCount result;
  if (!value || *value < kMinPlayCount) {
    result.count = kMinPlayCount;
    result.rewrite = true;
  } else if (*value > kMaxPlayCount) {
    result.count = kMaxPlayCount;
    result.rewrite = true;
  } else {
    result.count = static_cast<std::uint8_t>(*value);
  }
  return result;
}

void MacroSteps::Assign(std::span<const model::MacroAction> steps) {
  steps_.assign(steps.begin(), steps.end());
}

int MacroSteps::InsertRecorded(int selected, std::uint32_t delayMs, std::uint16_t code,
                               std::uint16_t direction, std::size_t limit) {
  if (steps_.size() >= limit) return -1;
  const std::size_t position =
      Valid(selected) ? static_cast<std::size_t>(selected) + 1 : steps_.size();
  model::MacroAction action;
  action.code = code;
  action.direction = direction > model::kRelease ? model::kPress : direction;
  if (position > 0) {
    // The pause that followed the previous row now follows the new step.
    action.delay_ms = steps_[position - 1].delay_ms;
    steps_[position - 1].delay_ms = delayMs;
  }
  steps_.insert(steps_.begin() + static_cast<std::ptrdiff_t>(position), action);
  return static_cast<int>(position);
}

bool MacroSteps::Remove(int row) {
  if (!Valid(row)) return false;
  steps_.erase(steps_.begin() + row);
  return true;
}

int MacroSteps::Move(int from, int to) {
  if (!Valid(from) || !Valid(to)) return -1;
  const model::MacroAction moved = steps_[static_cast<std::size_t>(from)];
  steps_.erase(steps_.begin() + from);
  steps_.insert(steps_.begin() + to, moved);
  return to;
}

bool MacroSteps::SetDelay(int row, std::uint32_t ms) {
  if (!Valid(row)) return false;
  steps_[static_cast<std::size_t>(row)].delay_ms = ms;
  return true;
}

bool MacroSteps::SetCode(int row, std::uint16_t code) {
  if (!Valid(row)) return false;
  steps_[static_cast<std::size_t>(row)].code = code;
  return true;
}

bool MacroSteps::SetDirection(int row, std::uint16_t direction) {
  if (!Valid(row) || direction > model::kRelease) return false;
  steps_[static_cast<std::size_t>(row)].direction = direction;
  return true;
}

std::size_t RecordingStepLimit(std::span<const model::MacroRecord* const> macros, int current,
                               std::uint32_t capacity) {
  const std::uint32_t room =
      capacity == 0 ? model::kMaxMacroImageSize : std::min(capacity, model::kMaxMacroImageSize);
  // The image without names as it would be with the current macro empty: the header, one
  // offset per macro, and per macro a 4-byte entry header and 4 bytes per step.
  std::uint64_t used = model::kMacroImageHeaderSize + 2 * macros.size();
  for (std::size_t i = 0; i < macros.size(); ++i) {
    const std::size_t steps = static_cast<int>(i) == current ? 0 : macros[i]->UsedActions().size();
    used += 4 + 4 * steps;
  }
  const std::size_t fits = used >= room ? 0 : static_cast<std::size_t>((room - used) / 4);
  return std::min(fits, model::MacroRecord::kMaxActions);
}

}  // namespace tarvolin::dialogs
