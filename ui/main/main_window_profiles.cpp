// The main window's side of the profiles: the attach reload, the profile buttons and the
// current-profile indicator, and the profile manager it opens.
#include "app/app_state.h"
#include "model/download.h"
#include "platform/win32/wide_text.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/tarvolin_dlg.h"

namespace tarvolin::mainwnd {

void CTarvolinDlg::OnProfileMessage() {
  profiles::ReloadActiveProfile(switch_context_, 0);
  // The keyboard may have changed its profile while away, or not answer at all: the
  // indicator names what was loaded, or the default profile.
  profiles::RefreshProfileIndicator(switch_context_, 0);
  RefreshGKeyLooks();  // assigned G keys are drawn checked from the first attach on
  SetProfileButtons(model::QueryActiveProfile(channel_));
  ShowLighting(lighting_->OnKeyboardAttached());
}

void CTarvolinDlg::SelectProfile(int index) {
  ShowLighting(lighting_->SelectProfile(index));
  if (model::QueryActiveProfile(channel_) == index) return;
  if (profiles::SwitchProfile(switch_context_, index) != 1) return;
  SetProfileButtons(index);
  RefreshKeyLooks();
}

void CTarvolinDlg::SetProfileIndicator(std::u16string_view text, std::u16string_view tooltip) {
  widgets::CPngButton* label = Button(id::kProfileLabel);
  if (label == nullptr) return;
  SetWindowTextW(label->Handle(), win32::ToWide(text).c_str());
  label->SetTooltip(win32::ToWide(tooltip), true);
  InvalidateRect(label->Handle(), nullptr, FALSE);
}

void CTarvolinDlg::CreateProfileManager() {
  profile_manager_ = std::make_unique<dialogs::CTarvolin_DlgProfile>(
      hwnd(), dialogs::ProfileManagerHost{
                  switch_context_, settings_, [this] { OpenHelp(); },
                  [this] { SetProfileButtons(model::QueryActiveProfile(channel_)); },
                  [this] { return scale_; }});
}

bool CTarvolinDlg::ProfileManagerHasUnappliedChanges() const {
  return profile_manager_ != nullptr && profile_manager_->HasUnappliedChanges();
}

void CTarvolinDlg::ProfileManagerShowSwitched(int profile) {
  if (profile_manager_ != nullptr) profile_manager_->ShowSwitched(profile);
}

}  // namespace tarvolin::mainwnd
