// The main window's side of the profiles: the attach reload, the profile buttons and the
// current-profile indicator.
#include "app/app_state.h"
#include "model/download.h"
#include "platform/win32/wide_text.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/tarvolin_dlg.h"

namespace tarvolin::mainwnd {

void CTarvolinDlg::OnProfileMessage() {
  profiles::ReloadActiveProfile(switch_context_, 0);
  RefreshGKeyLooks();  // assigned G keys are drawn checked from the first attach on
  SetProfileButtons(model::QueryActiveProfile(channel_));
  panel_->ApplyVisibility(lighting_->OnKeyboardAttached());
  panel_->SetLampPicture(skin_folder(), LightingModeOn(), scale_);
}

void CTarvolinDlg::SelectProfile(int index) {
  panel_->ApplyVisibility(lighting_->SelectProfile(index));
  panel_->SetLampPicture(skin_folder(), LightingModeOn(), scale_);
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

}  // namespace tarvolin::mainwnd
