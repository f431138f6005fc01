#include "profiles/profile_settings.h"

#include <cstdio>
#include <string>

namespace tarvolin::profiles {

int ProfileSettings::ReadSwitch(std::u16string_view name) const {
  const auto value = store_.ReadString(kProfilesSection, name);
  return value && *value == u"1" ? 1 : 0;
}

bool ProfileSettings::WriteSwitch(std::u16string_view name, int value) {
  return store_.WriteString(kProfilesSection, name, value == 1 ? u"1" : u"0");
}

int ProfileSettings::Flip() const {
  return ReadSwitch(kFlipValueName);
}

bool ProfileSettings::SetFlip(int value) {
  return WriteSwitch(kFlipValueName, value);
}

std::u16string ProfileSettings::RecordDelayValueName() const {
  return texts_.Text(TextKey::MACRO_ACTION_RECORD_DELAY);
}

int ProfileSettings::RecordDelay() const {
  return ReadSwitch(RecordDelayValueName());
}

bool ProfileSettings::SetRecordDelay(int value) {
  return WriteSwitch(RecordDelayValueName(), value);
}

std::u16string ProfileSettings::RowValueName(int index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", index);
  std::u16string name = u"PROFILE";
  for (const char* c = digits; *c != '\0'; ++c) name.push_back(static_cast<char16_t>(*c));
  return name;
}

bool ProfileSettings::WriteProfileRows(std::span<const std::u16string> rows) {
  bool all_written = true;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    all_written =
        store_.WriteString(kProfilesSection, RowValueName(static_cast<int>(r + 1)), rows[r]) &&
        all_written;
  }
  const std::string count = std::to_string(rows.size());
  return store_.WriteString(kProfilesSection, RowValueName(0),
                            std::u16string(count.begin(), count.end())) &&
         all_written;
}

}  // namespace tarvolin::profiles
