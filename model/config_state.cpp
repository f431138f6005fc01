#include "model/config_state.h"

namespace tarvolin::model {

EditedConfig::EditedConfig() : strings_(kRecordCount) {}

void EditedConfig::SetString(std::size_t index, std::u16string_view text) {
  std::lock_guard lock(mutex_);
  StringEntry& entry = strings_.at(index);
  string_bytes_ -= entry.bytes;
  entry.text.assign(text.substr(0, text.find(u'\0')));
  entry.bytes = static_cast<std::uint32_t>(2 * (entry.text.size() + 1));
  string_bytes_ += entry.bytes;
}

void EditedConfig::ClearString(std::size_t index) {
  std::lock_guard lock(mutex_);
  StringEntry& entry = strings_.at(index);
  string_bytes_ -= entry.bytes;
  entry = StringEntry{};
}

void EditedConfig::ClearStrings() {
  std::lock_guard lock(mutex_);
  for (StringEntry& entry : strings_) entry = StringEntry{};
  string_bytes_ = 0;
}

void EditedConfig::Release() {
  std::lock_guard lock(mutex_);
  ClearStrings();
  macros.clear();
  keyboard_macro_order.reset();
  profiles.reset();
}

EditedConfig& TheEditedConfig() {
  static EditedConfig config;
  return config;
}

AppliedConfig& TheAppliedConfig() {
  static AppliedConfig config;
  return config;
}

DefaultKeyMap& TheDefaultKeyMap() {
  static DefaultKeyMap map;
  return map;
}

}  // namespace tarvolin::model
