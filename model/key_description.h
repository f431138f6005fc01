#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/config_state.h"
#include "model/key_assignment.h"

// What a main-window key button shows for its record: the plain or the assigned look and
// the tooltip text. The window draws it; this is the data.

namespace tarvolin::model {

struct KeyDescription {
  bool assigned_look = false;
  std::u16string tooltip;
  friend bool operator==(const KeyDescription&, const KeyDescription&) = default;
};

struct ButtonDescription {
  std::uint16_t button_id = 0;
  KeyDescription description;
};

// The key's name, and for an assigned key "Keys, Set: " and what it does. Reads the macro
// names of `config` (under its lock).
KeyDescription DescribeKey(const EditedConfig& config, std::uint16_t code,
                           const KeyAssignment& record);
KeyDescription DescribeGKey(const EditedConfig& config, int j, const KeyAssignment& record);

// The nine G-keys (slots of `bank_bit`) and then the 105 key buttons, for `profile`.
// Empty when no profile set is loaded or the profile does not exist.
std::vector<ButtonDescription> RefreshKeyButtons(const EditedConfig& config, int profile,
                                                 int bank_bit);

// The button that shows `slot` (a key button, or a G-key of the given bank), described
// with an all-zero record; none when no button shows that slot.
std::optional<ButtonDescription> RefreshKeyButton(const EditedConfig& config, std::uint16_t slot,
                                                  int bank_bit);

// Restore defaults: zeroes the records of the current bank's G slots and of the 105 key
// buttons in `profile`, and returns the buttons' new descriptions. Nothing happens (and
// nothing is returned) when there is no such profile; the caller then has nothing to apply.
std::optional<std::vector<ButtonDescription>> ClearCurrentProfile(EditedConfig& config, int profile,
                                                                  int bank_bit);

}  // namespace tarvolin::model
