#include "ui/dialogs/composite/composite_rules.h"

#include "model/key_buttons.h"
#include "model/key_code.h"
#include "model/media_keys.h"
#include "platform/number_text.h"

namespace tarvolin::composite {

ScreenPoint PlaceBesideButton(const ScreenRect& button, int width, int height, int screenWidth,
                              int screenHeight) {
  const bool roomRight = screenWidth - button.right >= width;
  const bool roomLeft = button.left >= width;
  const bool roomBelow = screenHeight - button.bottom >= height;
  const bool roomAbove = button.top >= height;
  if (roomRight && roomBelow) return {button.right, button.bottom};
  if (roomRight && roomAbove) return {button.right, button.top - height};
  if (roomLeft && roomBelow) return {button.left - width, button.bottom};
  if (roomLeft && roomAbove) return {button.left - width, button.top - height};
  return {button.right, button.bottom};
}

int CyclesOfText(std::u16string_view text) {
  std::size_t pos = 0;
  const std::optional<int> number = ReadLeadingInt(text, pos);
  if (!number || *number < kMinCycles) return kMinCycles;
  if (*number > kMaxCycles) return kMaxCycles;
  return *number;
}

std::optional<std::u16string> CorrectedCyclesText(std::u16string_view text) {
  std::size_t pos = 0;
  const std::optional<int> number = ReadLeadingInt(text, pos);
  if (number && *number >= kMinCycles && *number <= kMaxCycles) return std::nullopt;
  const int cycles = CyclesOfText(text);
  std::u16string corrected;
  for (char c : std::to_string(cycles)) corrected.push_back(static_cast<char16_t>(c));
  return corrected;
}

Tab TabOfType(std::uint16_t type) {
  switch (type) {
    case model::AssignmentType::kMacro:
      return Tab::kMacro;
    case model::AssignmentType::kMedia:
      return Tab::kMedia;
    case model::AssignmentType::kFunction:
      return Tab::kFunction;
    default:
      return Tab::kSingleKey;
  }
}

std::uint16_t TypeAfterTab(Tab tab, std::uint16_t type) {
  switch (tab) {
    case Tab::kSingleKey:
      return type == model::AssignmentType::kDefault || type == model::AssignmentType::kSingleKey
                 ? type
                 : model::AssignmentType::kSingleKey;
    case Tab::kMacro:
      return model::AssignmentType::kMacro;
    case Tab::kMedia:
      return model::AssignmentType::kMedia;
    case Tab::kFunction:
      return model::AssignmentType::kFunction;
  }
  return type;
}

CaptureVerdict JudgeKeyEvent(std::uint16_t code, bool release, bool repeat) {
  if (code == model::kNoKey || model::IsMediaKeyCode(code)) return CaptureVerdict::kPass;
  // Print Screen reaches the thread hook only on its release.
  if (code == model::key::kPrintScreen) return CaptureVerdict::kCapture;
  if (release || repeat) return CaptureVerdict::kSwallow;
  return CaptureVerdict::kCapture;
}

std::uint16_t CodeOfLowLevelKey(std::uint32_t vk) {
  switch (vk) {
    case 0x5B:
      return model::key::kWin;
    case 0x5C:
      return model::key::kRightWin;
    case 0x5D:
      return model::key::kApp;
    default:
      return model::kNoKey;
  }
}

model::KeyAssignment AssignmentToStore(const EditedKey& edit,
                                       const model::KeyAssignment& previous) {
  model::KeyAssignment record;
  record.type = edit.type;
  record.tag = model::IsGSlot(edit.slot) ? model::GSlotTag(edit.slot) : 0;
  record.value = 0;
  record.mark = previous.mark;
  record.reserved = 0;
  switch (edit.type) {
    case model::AssignmentType::kSingleKey:
      record.value = edit.captured_code;
      // A key cannot be assigned to itself: it keeps its own function.
      if (edit.captured_code == model::kNoKey ||
          model::SlotOfCode(edit.captured_code) == edit.slot) {
        record.type = model::AssignmentType::kDefault;
        record.value = 0;
      }
      break;
    case model::AssignmentType::kMacro:
      if (edit.macro_list_empty) {
        record.type = model::AssignmentType::kDefault;
        break;
      }
      record.value = edit.selected_macro_id;
      record.tag = static_cast<std::uint16_t>(edit.cycles < kMinCycles   ? kMinCycles
                                              : edit.cycles > kMaxCycles ? kMaxCycles
                                                                         : edit.cycles);
      break;
    case model::AssignmentType::kMedia:
      record.value = static_cast<std::uint32_t>(edit.media_index < 0 ? 0 : edit.media_index);
      break;
    case model::AssignmentType::kFunction:
      record.value = static_cast<std::uint32_t>(edit.function_index < 0 ? 0 : edit.function_index);
      break;
    default:
      break;
  }
  return record;
}

}  // namespace tarvolin::composite
