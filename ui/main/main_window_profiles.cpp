// The main window's side of the profiles: the attach reload, the profile buttons and the
// current-profile indicator.
#include "app/app_state.h"
#include "i18n/language_table.h"
#include "model/download.h"
#include "platform/win32/wide_text.h"
#include "profiles/data_folder.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/tarvolin_dlg.h"

namespace tarvolin::mainwnd {

void CTarvolinDlg::OnProfileMessage() {
  const int active = model::QueryActiveProfile(channel_);
  SetProfileButtons(active);
  panel_->ApplyVisibility(lighting_->OnKeyboardAttached());
  RefreshProfileIndicator();
  RefreshKeyLooks();
}

void CTarvolinDlg::SelectProfile(int index) {
  panel_->ApplyVisibility(lighting_->SelectProfile(index));
  if (model::QueryActiveProfile(channel_) == index) return;
}

void CTarvolinDlg::RefreshProfileIndicator() {
  const int active = TheAppState().cached_profile;
  const std::u16string text = active < 0 ? LanguageText(TextKey::DEFAULT_PROFILE_NAME)
                                         : profiles::ProfileFileName(active);
  widgets::CPngButton* label = Button(id::kProfileLabel);
  if (label == nullptr) return;
  SetWindowTextW(label->Handle(), win32::ToWide(text).c_str());
  label->SetTooltip(win32::ToWide(LanguageText(TextKey::PROFILE_TIP) + text), true);
  InvalidateRect(label->Handle(), nullptr, FALSE);
}

}  // namespace tarvolin::mainwnd
