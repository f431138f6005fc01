#pragma once
#include <string_view>
#include <vector>

#include "model/key_description.h"

// What profile switching asks of the main window and its member dialogs. The main window
// implements it; tests fake it. Every call is made on the user-interface thread.

namespace tarvolin::profiles {

class ProfileSwitchPort {
 public:
  virtual ~ProfileSwitchPort() = default;

  // The composite dialog's open counter; above 0 while the key editor is open.
  virtual int EditorOpenCount() const = 0;

  // The profile manager's own unapplied changes (false while it is closed).
  virtual bool ProfileManagerHasUnappliedChanges() const = 0;
  // After a switch without a save question: when the profile manager is open, check its
  // row `profile` and clear its unapplied changes; nothing when it is closed.
  virtual void ProfileManagerShowSwitched(int profile) = 0;

  // The main window's Apply-enabled flag (mirrors the Apply button).
  virtual bool ApplyEnabled() const = 0;
  virtual void SetApplyEnabled(bool enabled) = 0;

  // Sends the main window WM_COMMAND 1006 with the Apply button as control; returns once the
  // Apply has run to completion.
  virtual void RunApply() = 0;

  // Shows these key buttons with their look and tooltip (the G-keys of the current bank, then
  // the 105 key buttons).
  virtual void ShowKeyButtons(const std::vector<model::ButtonDescription>& buttons) = 0;

  // The FUNC_PROFILES control (1005): its text and its tooltip.
  virtual void SetProfileIndicator(std::u16string_view text, std::u16string_view tooltip) = 0;
};

}  // namespace tarvolin::profiles
