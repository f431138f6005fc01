#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "device/attachment/bank_status.h"
#include "profiles/profile_context.h"
#include "profiles/profile_switch_port.h"

// Switching the keyboard's active hardware profile under the rules that protect unapplied
// edits, rebuilding the edited configuration from the keyboard after an attach, and the
// main window's current-profile indicator. All of it runs on the user-interface thread.

namespace tarvolin::profiles {

// The indicator's candidate texts: DEFAULT_PROFILE_NAME, a separator, then the file names of
// the three hardware profiles; exactly one entry is checked. Kept for the main window's life.
class ProfileList {
 public:
  struct Entry {
    std::u16string text;  // empty for the separator
    bool separator = false;
  };

  void Clear();
  void Append(Entry entry);
  // Checks the entry at `position` (unchecks the others); out of range checks none.
  void Check(std::size_t position);

  const std::vector<Entry>& Entries() const { return entries_; }
  // The checked position, or Entries().size() when none is.
  std::size_t Checked() const { return checked_; }
  // The checked entry's text; empty when none is checked.
  std::u16string CheckedText() const;

 private:
  std::vector<Entry> entries_;
  std::size_t checked_ = 0;
};

// Everything profile switching reaches.
struct ProfileSwitchContext {
  ProfileContext& profiles;  // data folder, configuration, keyboard, prompter, texts
  ProfileSwitchPort& window;
  ProfileList& list;
  // Its bank bit chooses the G-key slots the key buttons show.
  const attachment::BankStatus& bank = attachment::TheBankStatus();
};

// Makes `target` the keyboard's active profile (3 or more means 0). Refused (0) with
// PROFILE_SEELCT_PROMPT2 while the key editor is open. With unapplied changes it first asks
// PROFILE_SELECT_PROMPT: Yes applies them to the profile still active, No throws them away
// by reloading that profile's file. 1 when the keyboard now plays `target`; 0 when refused or
// when the keyboard did not take it (the indicator then shows what is known).
int SwitchProfile(ProfileSwitchContext& context, int target);

// Rebuilds the edited configuration from the keyboard (after an attach, and after the profile
// manager's Apply): the active profile's file is rebuilt from the keyboard and loaded, or the
// default profile set is installed when that fails. keep_apply 0 clears the Apply-enabled
// flag. Returns 1.
int ReloadActiveProfile(ProfileSwitchContext& context, int keep_apply);

// Refills the profile list, checks the active profile's entry (DEFAULT_PROFILE_NAME when the
// active profile is undetermined), and shows its text and tooltip on the indicator.
// `create` 1 is the first call (MainMsgInit); 0 every later one.
void RefreshProfileIndicator(ProfileSwitchContext& context, int create);

// The key buttons of the active profile, when it is known; nothing otherwise.
void RefreshActiveKeyButtons(ProfileSwitchContext& context);

}  // namespace tarvolin::profiles
