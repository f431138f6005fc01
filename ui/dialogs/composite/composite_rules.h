#pragma once
// The composite dialog's decisions that need no window: where it opens, what the cycles
// edit accepts, what a tab button does to the type being edited, which keyboard events the
// single-key capture takes, and the record Apply writes. Portable, so they are tested
// natively.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/key_assignment.h"

namespace tarvolin::composite {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The top-left corner of a width x height dialog beside `button` on a screen of the given
// size: right-below, right-above, left-below, left-above, the first that fits; right-below
// when none does.
ScreenPoint PlaceBesideButton(const ScreenRect& button, int width, int height, int screenWidth,
                              int screenHeight);

inline constexpr int kMinCycles = 1;
inline constexpr int kMaxCycles = 255;

// The play count a cycles text stands for: below 1 or not a number gives 1, above 255 gives
// 255.
int CyclesOfText(std::u16string_view text);
// The text the cycles edit must show instead of `text`, or none when it is already fine.
std::optional<std::u16string> CorrectedCyclesText(std::u16string_view text);

enum class Tab { kSingleKey, kMacro, kMedia, kFunction };

// The tab that shows a record of `type`: 4 macro, 7 multimedia, 8 function, any other the
// single key.
Tab TabOfType(std::uint16_t type);
// The type after the user picks `tab` while `type` is edited: single key keeps 0 and 2 and
// turns anything else into 2; the other tabs take their own type.
std::uint16_t TypeAfterTab(Tab tab, std::uint16_t type);

// What the single-key capture does with a keyboard event of the dialog's thread.
enum class CaptureVerdict {
  kPass,     // not a key the capture takes (no code, a media key): the system handles it
  kSwallow,  // a release or an auto-repeat: taken out, nothing captured
  kCapture,  // captured as the key being assigned, then taken out
};
CaptureVerdict JudgeKeyEvent(std::uint16_t code, bool release, bool repeat);

// The key code of a virtual key the low-level hook takes (the two Windows keys and the
// Application key), 0 for every other virtual key.
std::uint16_t CodeOfLowLevelKey(std::uint32_t vk);

// What the dialog holds when Apply runs.
struct EditedKey {
  std::uint16_t slot = 0;
  std::uint16_t type = 0;
  std::uint16_t captured_code = 0;      // single-key tab
  bool macro_list_empty = true;         // macro tab
  std::uint16_t selected_macro_id = 0;  // 0 when no macro is selected
  int cycles = 1;
  int media_index = 0;
  int function_index = 0;
};

// The record Apply writes for the edited key, keeping the previous record's mark flag.
model::KeyAssignment AssignmentToStore(const EditedKey& edit, const model::KeyAssignment& previous);

}  // namespace tarvolin::composite
