#pragma once
// The steps of the macro being edited, and the rules for changing them: where a recorded step
// goes and which pause it takes, moves, and the limits of typed delays and play counts.
// Portable: the pane's report list mirrors each change.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/macro_record.h"

namespace tarvolin::dialogs {

inline constexpr std::uint32_t kMaxTypedDelayMs = 40000;
inline constexpr std::uint32_t kDelayStepMs = 10;
inline constexpr std::uint32_t kPlainRecordingDelayMs = 50;  // record delay off
inline constexpr std::uint32_t kReleaseOnlyPressDelayMs = 2;
inline constexpr int kMinPlayCount = 1;
inline constexpr int kMaxPlayCount = 255;

// The pause a recorded step gets: the measured one when the record-delay flag is 1, 50 ms
// when it is 0, none for any other flag.
std::uint32_t RecordedDelay(int recordDelayFlag, std::uint32_t measuredMs);

struct TypedDelay {
  std::uint32_t ms = 0;
  bool aboveLimit = false;  // the user is told, and the limit is used
};
// A delay typed into a cell, read as a decimal number: above 40000 (negative counts as above)
// becomes 40000; the value is then rounded down to a multiple of 10. Text that is no number
// reads as 0.
TypedDelay ParseTypedDelay(std::u16string_view text);

struct TypedPlayCount {
  std::uint8_t count = 1;
  bool rewrite = false;  // the edit must show `count` instead of what was typed
};
// A play count as typed: 1..255 stays; below 1, or no number at all, becomes 1; above 255
// becomes 255.
TypedPlayCount ParsePlayCount(std::u16string_view text);

class MacroSteps {
 public:
  const std::vector<model::MacroAction>& steps() const { return steps_; }
  std::size_t size() const { return steps_.size(); }
  const model::MacroAction& operator[](std::size_t row) const { return steps_[row]; }

  void Assign(std::span<const model::MacroAction> steps);
  void Clear() { steps_.clear(); }

  // Inserts a recorded step after `selected` (-1 or out of range: at the end) and returns its
  // row. The list holds each step's pause after it, so the step before the new one takes the
  // new pause and the new step inherits the pause that followed that row; at row 0 the new
  // step's pause is 0. A direction above 1 counts as a press. -1, and no change, when the
  // list already holds `limit` steps.
  int InsertRecorded(int selected, std::uint32_t delayMs, std::uint16_t code,
                     std::uint16_t direction, std::size_t limit);

  bool Remove(int row);
  // Moves a row with its step; returns the new row, or -1 for rows outside the list.
  int Move(int from, int to);
  bool SetDelay(int row, std::uint32_t ms);
  bool SetCode(int row, std::uint16_t code);
  bool SetDirection(int row, std::uint16_t direction);

 private:
  bool Valid(int row) const { return row >= 0 && static_cast<std::size_t>(row) < steps_.size(); }
  std::vector<model::MacroAction> steps_;
};

// How many steps the macro at `current` of `macros` may hold so that the library's macro
// image (without names) still fits `capacity` bytes (0: the image format's own limit), and
// never more than a record holds. The current macro's own steps are not counted.
std::size_t RecordingStepLimit(std::span<const model::MacroRecord* const> macros, int current,
                               std::uint32_t capacity);

}  // namespace tarvolin::dialogs
