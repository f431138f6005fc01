// The main window's work: Apply with its busy indicator, restore defaults, the profile
// buttons and indicator, the device messages and the key-click seam.
#include "app/app_state.h"
#include "i18n/language_table.h"
#include "lighting/panel_control_ids.h"
#include "model/key_buttons.h"
#include "model/key_description.h"
#include "platform/win32/wide_text.h"
#include "profiles/profile_file.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/tarvolin_dlg.h"

namespace tarvolin::mainwnd {

void CTarvolinDlg::SetApplyEnabled(bool enabled) {
  apply_enabled_ = enabled ? 1 : 0;
  if (widgets::CPngButton* apply = Button(id::kApply)) {
    EnableWindow(apply->Handle(), apply_enabled_ == 1);
    InvalidateRect(apply->Handle(), nullptr, FALSE);
  }
}

void CTarvolinDlg::Apply() {
  HWND picture = GetDlgItem(hwnd(), id::kProgress);
  progress_frame_ = 0;
  ShowWindow(picture, SW_SHOW);
  UpdateWindow(picture);
  if (!busy_) {
    busy_ = std::make_unique<BusyIndicator>(picture, progress_frames_, progress_frame_, hwnd(),
                                            kBusyDoneMessage);
  }
  const bool animated = busy_->Start();
  if (apply_enabled_ == 1) {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    // The file mirrors the keyboard: it is written only once the keyboard took the download,
    // so an Apply the keyboard refuses leaves the file as it was.
    const int applied = model::ApplyConfig(config_, 0);
    const int saved = applied == 1 ? profiles::SaveDownloadedProfileFile(profile_context_, 0) : 0;
    if (saved == 1 && applied == 1) SetApplyEnabled(false);
  }
  if (animated) {
    busy_->Stop();
  } else {
    ShowWindow(picture, SW_HIDE);
  }
}

void CTarvolinDlg::RestoreDefaults() {
  if (prompter_.Ask(LanguageText(TextKey::MAIN_PROMPT_DEFAULT), PromptButtons::kYesNo) !=
      PromptAnswer::kYes) {
    return;
  }
  const int profile = TheAppState().cached_profile;
  std::optional<std::vector<model::ButtonDescription>> cleared;
  {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    cleared = model::ClearCurrentProfile(edited, profile, BankBit());
  }
  if (!cleared) return;  // no profile to clear, nothing to apply
  for (const model::ButtonDescription& entry : *cleared) {
    SetKeyLook(entry.button_id, entry.description.assigned_look, entry.description.tooltip);
  }
  SetApplyEnabled(true);
  if (LightingModeOn()) ShowLighting(lighting_->OnRestoreDefaults());
  Apply();
}

void CTarvolinDlg::OnBankMessage() {
  RefreshGKeyLooks();
}

void CTarvolinDlg::RunApply() {
  SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id::kApply, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hwnd(), id::kApply)));
}

void CTarvolinDlg::OnKeyClick(int id) {
  key_clicks_.Click(id);
}

bool CTarvolinDlg::LightingModeOn() const {
  return lighting_->state().lighting_mode;
}

void CTarvolinDlg::MarkKey(int buttonId) {
  ShowLighting(lighting_->ClickMarkButton(buttonId));
}

}  // namespace tarvolin::mainwnd
