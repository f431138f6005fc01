#pragma once
// CTarvolinDlg: the program's only top-level window, a skinned picture of the keyboard whose
// keys are image buttons. It starts hidden in the notification area, answers the private
// messages of other instances and of the device threads, and runs Apply and shutdown.
#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "device/attachment/device_events.h"
#include "device/device_channel.h"
#include "lighting/lighting_controller.h"
#include "model/download.h"
#include "platform/ini_file.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_ini_store.h"
#include "profiles/data_folder.h"
#include "profiles/profile_context.h"
#include "profiles/profile_switching.h"
#include "ui/dialogs/profile_manager/profile_manager_dialog.h"
#include "ui/dialogs/composite/composite_host.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/key_click_target.h"
#include "ui/main/key_event_handles.h"
#include "ui/main/keyboard_filter.h"
#include "ui/main/message_box_prompter.h"
#include "ui/main/progress_frames.h"
#include "ui/main/scaled_skin.h"
#include "ui/main/window_device_port.h"
#include "ui/skin/main_key_pictures.h"
#include "ui/tray/about_window.h"
#include "ui/tray/tray_icon.h"
#include "ui/widgets/base_dialog.h"
#include "ui/widgets/png_button.h"

namespace tarvolin::mainwnd {

class LightingPanel;

class CTarvolinDlg : public widgets::CBaseDialog,
                     public composite::CompositeHost,
                     private KeyMarker,
                     private profiles::ProfileSwitchPort {
 public:
  // `instanceMutex` is the single-instance mutex, held until shutdown; `startHidden` is
  // "/Start".
  CTarvolinDlg(device::DeviceChannel& channel, win32::UniqueHandle instanceMutex, bool startHidden,
               KeyEditorOpener& editor);
  ~CTarvolinDlg() override;

  // --- Used by the dialogs (user-interface thread) ---
  bool ApplyEnabled() const override { return apply_enabled_ == 1; }
  void SetApplyEnabled(bool enabled) override;
  // Hide-first shutdown: false when an editor refused to close (the program keeps running).
  bool ShutdownGate();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // Initialisation steps.
  void CheckBackgroundOrExit();
  void AppendAboutToSystemMenu();
  void StartDevice();
  void InstallDefaultConfiguration();
  void LoadPicturesOrExit();
  void CreateButtons();
  void PlaceAll();
  void PlaceButtons();
  void PlaceArrow(int id, bool left);
  void PlaceDKeys();
  void SetWindowStyles();
  void RegisterSessionNotifications();
  void ApplyCaptions();
  void FitToSkin();
  void ApplyScale(int dpi, const RECT* suggested);

  // Messages and commands.
  bool OnCommand(int id, HWND control);
  void OnInitMessage();
  void OnProfileMessage();
  void OnBankMessage();
  void OnTimer(UINT_PTR timer);
  void OnNcPaint();
  void OnDrawProgress(const DRAWITEMSTRUCT& item);
  void Show();
  void Hide();
  void CloseProgram();
  void SetTrayIcon(int iconId);
  void PumpSentMessages();
  HBRUSH LabelBrush(HDC dc, HWND label);

  // Buttons.
  widgets::CPngButton* Button(int id);
  skin::StatePictures PicturesOf(const skin::StatePicturePattern& pattern) const;
  bool CreateButton(int id, DWORD extraStyle);
  void RefreshKeyLooks();
  void SetKeyLook(int buttonId, bool assigned, const std::u16string& tooltip);
  void SetBankIndicator(const attachment::BankIndicatorPictures& pictures);
  void SetGKeyCaptions(const attachment::GKeyCaptions& captions);
  int BankBit() const;
  void ApplyFlip(int flip);
  void OnFlipClicked();
  void OnHoverHook(HWND button, int showsNormal);
  void SetProfileButtons(int active);
  void CreateProfileManager();

  // Work.
  void Apply();
  void RestoreDefaults();
  void SelectProfile(int index);
  void OpenLink();
  void OnKeyClick(int id);

  // ProfileSwitchPort.
  int EditorOpenCount() const override { return editor_.OpenCount(); }
  bool ProfileManagerHasUnappliedChanges() const override;
  void ProfileManagerShowSwitched(int profile) override;
  void RunApply() override;
  void ShowKeyButtons(const std::vector<model::ButtonDescription>& buttons) override;
  void SetProfileIndicator(std::u16string_view text, std::u16string_view tooltip) override;

  // Lighting panel, report-rate buttons and key marks.
  void ShowLighting(const lighting::PanelUpdate& update);
  bool OnLightingCommand(int id, int notification);
  void ShowKeyMarks(const lighting::KeyPictures& keys);
  // CompositeHost (main_window_composite_host.cpp).
  HWND HostWindow() const override { return hwnd(); }
  std::optional<RECT> KeyButtonScreenRect(int buttonId) const override;
  void HighlightKeyButton(int buttonId) override;
  void RefreshKeyButtonLooks() override;
  bool ConfigurationModified() const override { return ApplyEnabled(); }
  void MarkConfigurationModified() override { SetApplyEnabled(true); }
  int GKeyBank() const override { return BankBit(); }
  int HostDpi() const override { return scale_.dpi(); }
  SettingsStore& Settings() override { return settings_; }
  const IniStore& LanguageFile() const override { return language_file_; }
  void OpenHelp() override;
  void RefreshGKeyLooks();

  // KeyMarker.
  bool LightingModeOn() const override;
  void MarkKey(int buttonId) override;

  device::DeviceChannel& channel_;
  win32::UniqueHandle instance_mutex_;
  bool start_hidden_;
  KeyEditorOpener& editor_;
  KeyClickTarget key_clicks_;

  win32::RegistrySettingsStore settings_;
  win32::Win32IniStore language_file_;
  // The main skin file, parsed once: the window reads some 200 placement values from it.
  IniFile skin_store_;
  std::unique_ptr<win32::Win32IniStore> user_lighting_settings_;
  MessageBoxPrompter prompter_;
  profiles::DataFolder data_folder_;
  model::ConfigContext config_;
  profiles::ProfileContext profile_context_;
  std::unique_ptr<lighting::LightingController> lighting_;

  HICON program_icon_ = nullptr;
  std::atomic<int> apply_enabled_{0};
  std::atomic<int> tray_ready_{0};
  std::atomic<int> current_tray_icon_{0};
  std::atomic<int> remembered_tray_icon_{0};
  bool starting_ = true;  // until the first open, nothing may show the window
  int flip_ = 0;
  std::wstring link_url_;
  DpiScale scale_;

  ScaledSkin skin_;
  skin::BrushHandle label_brush_;
  std::map<int, std::unique_ptr<widgets::CPngButton>> buttons_;
  std::unique_ptr<LightingPanel> panel_;
  ProgressFrames progress_frames_;
  std::atomic<int> progress_frame_{0};
  std::unique_ptr<BusyIndicator> busy_;
  tray::CTrayIcon tray_;
  tray::AboutWindow about_;
  KeyEventHandles key_events_;
  KeyboardFilter keyboard_filter_;
  profiles::ProfileList profile_list_;
  profiles::ProfileSwitchContext switch_context_;
  std::unique_ptr<WindowDevicePort> device_port_;
  std::unique_ptr<attachment::DeviceEvents> device_events_;
  std::unique_ptr<dialogs::CTarvolin_DlgProfile> profile_manager_;
  HMODULE user32_ = nullptr;
  void* set_layered_attributes_ = nullptr;
};

}  // namespace tarvolin::mainwnd
