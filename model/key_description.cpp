#include "model/key_description.h"

#include <mutex>

#include "model/key_buttons.h"
#include "model/key_table.h"
#include "model/macro_library.h"
#include "model/media_keys.h"
#include "model/model_text.h"

namespace tarvolin::model {
namespace {

std::u16string CodeName(std::uint32_t value) {
  if (value > 0xFFFF) return UnknownKeyName(value);
  return KeyName(static_cast<std::uint16_t>(value));
}

std::u16string MacroName(const EditedConfig& config, std::uint32_t id) {
  std::lock_guard lock(config.mutex());
  if (!config.profiles || id > 0xFFFF) return {};
  const MacroRecord* macro = FindMacroById(config.macros, static_cast<std::uint16_t>(id));
  return macro ? std::u16string(macro->Name()) : std::u16string();
}

KeyDescription Describe(const EditedConfig& config, std::u16string name,
                        const KeyAssignment& record) {
  KeyDescription description;
  description.tooltip = std::move(name);
  if (record.type == AssignmentType::kDefault) return description;
  description.assigned_look = true;
  std::u16string& text = description.tooltip;
  text += ModelText(text::kKeyPromptSet);
  switch (record.type) {
    case AssignmentType::kSingleKey:
      text += ModelText(text::kKeyPromptSingle) + CodeName(record.value) + u")";
      break;
    case AssignmentType::kMacro:
      text += ModelText(text::kKeyPromptMacro) + MacroName(config, record.value) + u")";
      break;
    case AssignmentType::kMedia: {
      std::u16string media;
      if (record.value < kMediaKeyCount) media = KeyName(MediaKeyTable()[record.value].code);
      text += ModelText(text::kKeyPromptMedia) + media + u")";
      break;
    }
    case AssignmentType::kFunction: {
      std::u16string function;
      if (record.value < static_cast<std::uint32_t>(kFunctionCount)) {
        function = ModelText(FunctionTextKey(static_cast<int>(record.value)));
      }
      text += ModelText(text::kKeyPromptFunction) + function + u")";
      break;
    }
    default:
      break;
  }
  return description;
}

}  // namespace

KeyDescription DescribeKey(const EditedConfig& config, std::uint16_t code,
                           const KeyAssignment& record) {
  return Describe(config, KeyName(code), record);
}

KeyDescription DescribeGKey(const EditedConfig& config, int j, const KeyAssignment& record) {
  return Describe(config, GKeyName(j), record);
}

std::vector<ButtonDescription> RefreshKeyButtons(const EditedConfig& config, int profile,
                                                 int bank_bit) {
  std::lock_guard lock(config.mutex());
  std::vector<ButtonDescription> buttons;
  if (!config.profiles || !IsValidProfile(profile)) return buttons;
  const ProfileSet& set = *config.profiles;
  for (int j = 0; j < kGKeyCount; ++j) {
    const KeyAssignment& record = set.Record(profile, SlotOfGKey(j, bank_bit));
    buttons.push_back(
        {GKeyTable()[static_cast<std::size_t>(j)].button_id, DescribeGKey(config, j, record)});
  }
  for (const KeyButton& button : KeyButtonTable()) {
    const KeyAssignment& record = set.Record(profile, SlotOfCode(button.code));
    buttons.push_back({button.button_id, DescribeKey(config, button.code, record)});
  }
  return buttons;
}

std::optional<ButtonDescription> RefreshKeyButton(const EditedConfig& config, std::uint16_t slot,
                                                  int bank_bit) {
  const KeyAssignment zero{};
  for (int j = 0; j < kGKeyCount; ++j) {
    if (SlotOfGKey(j, bank_bit) == slot) {
      return ButtonDescription{GKeyTable()[static_cast<std::size_t>(j)].button_id,
                               DescribeGKey(config, j, zero)};
    }
  }
  for (const KeyButton& button : KeyButtonTable()) {
    if (SlotOfCode(button.code) == slot) {
      return ButtonDescription{button.button_id, DescribeKey(config, button.code, zero)};
    }
  }
  return std::nullopt;
}

std::optional<std::vector<ButtonDescription>> ClearCurrentProfile(EditedConfig& config, int profile,
                                                                  int bank_bit) {
  std::lock_guard lock(config.mutex());
  if (!config.profiles || !IsValidProfile(profile)) return std::nullopt;
  ProfileSet& set = *config.profiles;
  std::vector<ButtonDescription> buttons;
  for (int j = 0; j < kGKeyCount; ++j) {
    KeyAssignment& record = set.Record(profile, SlotOfGKey(j, bank_bit));
    record = KeyAssignment{};
    buttons.push_back(
        {GKeyTable()[static_cast<std::size_t>(j)].button_id, DescribeGKey(config, j, record)});
  }
  for (const KeyButton& button : KeyButtonTable()) {
    KeyAssignment& record = set.Record(profile, SlotOfCode(button.code));
    record = KeyAssignment{};
    buttons.push_back({button.button_id, DescribeKey(config, button.code, record)});
  }
  return buttons;
}

}  // namespace tarvolin::model
