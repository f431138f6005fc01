#pragma once
// CTarvolin_DlgProfile: the profile manager (dialog 131, skin "Skins\Profile.ini"). It lists
// the three hardware profiles with their files, lets the user add rows for new default files
// or existing files, remove rows and tick the profile the keyboard is to play; Apply records
// the rows in the PROFILES settings, makes the ticked profile active and rebuilds the
// configuration from the keyboard.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/settings_store.h"
#include "profiles/profile_manager_rows.h"
#include "profiles/profile_switching.h"
#include "ui/dialogs/profile_manager/profile_pictures.h"
#include "ui/main/dpi_scale.h"
#include "ui/skin/gdi_object.h"
#include "ui/widgets/base_dialog.h"
#include "ui/widgets/png_button.h"
#include "ui/widgets/report_ctrl.h"

namespace tarvolin::dialogs {

// What the dialog needs from the main window that owns it.
struct ProfileManagerHost {
  profiles::ProfileSwitchContext& switching;
  SettingsStore& settings;
  std::function<void()> open_help;
  // After an Apply: the main window follows the keyboard's active profile.
  std::function<void()> applied;
  std::function<mainwnd::DpiScale()> scale;
};

class CTarvolin_DlgProfile : public widgets::CBaseDialog {
 public:
  CTarvolin_DlgProfile(HWND owner, ProfileManagerHost host);
  ~CTarvolin_DlgProfile() override;

  // Runs the dialog modally; returns when it closes.
  void Open();
  // Incremented at initialisation and decremented at closing: 1 while the dialog is open.
  int OpenCount() const { return open_count_; }
  // Changes in the open dialog that Apply has not stored yet.
  bool HasUnappliedChanges() const { return open_count_ > 0 && apply_enabled_ == 1; }
  // A switch made elsewhere while the dialog is open: tick the profile's row, nothing to apply.
  void ShowSwitched(int profile);
  // Asked at shutdown: closes the dialog when it is open; it never refuses.
  bool CloseIfOpen();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void SetUpList();
  void ApplyScale(mainwnd::DpiScale scale, const RECT* suggested);
  void PlaceControls();
  void SetTexts();
  void Fill();
  void AppendRow(const profiles::ProfileRow& row);
  void SetApplyEnabled(bool enabled);
  int TickedRow() const;
  bool RefusesTick(const NMLISTVIEW& change) const;

  void Add();
  void Load();
  void Delete();
  void Apply();
  void Close(INT_PTR code);
  void PaintScaled(HDC target);

  ProfileManagerHost host_;
  // OK, Cancel, Add, Load, Delete, Apply; made for each opening and let go at closing, with
  // the tooltips they own.
  std::array<std::unique_ptr<widgets::CPngButton>, 6> buttons_;
  widgets::CReportCtrl list_;
  int apply_enabled_ = 0;
  int images_loaded_ = 0;
  int open_count_ = 0;
  bool filling_ = false;  // ticks set by the dialog itself are not edits
  ProfilePictures pictures_;
  mainwnd::DpiScale scale_;
  skin::BitmapHandle scaled_background_;
};

}  // namespace tarvolin::dialogs
