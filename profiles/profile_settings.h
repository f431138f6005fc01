#pragma once
#include <span>
#include <string>
#include <string_view>

#include "i18n/language_table.h"
#include "platform/settings_store.h"

// The per-user values of section "PROFILES" in the application's settings (the registry on
// Windows, under the settings key "Tarvolin_Pelmora"): the main window's flip toggle, the
// macro pane's record-delay box and the profile manager's rows. All are strings.

namespace tarvolin::profiles {

inline constexpr std::u16string_view kProfilesSection = u"PROFILES";
inline constexpr std::u16string_view kFlipValueName = u"Flip";

class ProfileSettings {
 public:
  explicit ProfileSettings(SettingsStore& store, const LanguageTable& texts = GlobalLanguageTable())
      : store_(store), texts_(texts) {}

  // 0 or 1; a missing or unexpected value reads as 0.
  int Flip() const;
  // Any value other than 1 is written as 0. False when the store refused the value.
  bool SetFlip(int value);

  // The record-delay value is named by the language text MACRO_ACTION_RECORD_DELAY at the
  // moment of the access, so a language file that renames it moves the value.
  std::u16string RecordDelayValueName() const;
  int RecordDelay() const;
  bool SetRecordDelay(int value);

  // "PROFILE" and "%02d" of `index`: PROFILE00 holds the row count, PROFILE01.. the rows.
  static std::u16string RowValueName(int index);
  // Writes every row (folder, file name and ".tvc") and then the count. False when a value
  // was refused (the other values are still written).
  bool WriteProfileRows(std::span<const std::u16string> rows);

 private:
  int ReadSwitch(std::u16string_view name) const;
  bool WriteSwitch(std::u16string_view name, int value);

  SettingsStore& store_;
  const LanguageTable& texts_;
};

}  // namespace tarvolin::profiles
