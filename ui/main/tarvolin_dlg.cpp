#include "ui/main/tarvolin_dlg.h"

#include <shellapi.h>
#include <wtsapi32.h>

#include <algorithm>

#include "app/app_state.h"
#include "app/program_paths.h"
#include "app/win32/quiet_exit.h"
#include "device/win32/hid_library_loader.h"
#include "i18n/language_loader.h"
#include "i18n/language_table.h"
#include "lighting/panel_control_ids.h"
#include "lighting/user_mode_files.h"
#include "model/key_buttons.h"
#include "platform/win32/wide_text.h"
#include "profiles/profile_file.h"
#include "profiles/win32/abandoned_temporaries.h"
#include "profiles/win32/documents_folder.h"
#include "profiles/win32/profile_menu_commands.h"
#include "ui/main/flip_setting.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window_ids.h"
#include "ui/skin/skin_layout.h"
#include "ui/tray/tray_menus.h"
#include "ui/widgets/mask_region.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::mainwnd {
namespace {

std::filesystem::path DocumentsOrProgramFolder() {
  if (auto documents = profiles::win32::DocumentsFolder()) return *documents;
  return std::filesystem::path(app::ThePaths().program_folder);
}

std::u16string U16(const std::wstring& text) {
  return win32::FromWide(text);
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi != nullptr) {
    const UINT dpi = getDpi(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return dpi;
}

}  // namespace

CTarvolinDlg::CTarvolinDlg(device::DeviceChannel& channel, win32::UniqueHandle instanceMutex,
                           bool startHidden, KeyEditorOpener& editor)
    : CBaseDialog(kMainDialog, nullptr, app::ThePaths().main_skin_file,
                  app::ThePaths().skin_folder),
      channel_(channel),
      instance_mutex_(std::move(instanceMutex)),
      start_hidden_(startHidden),
      editor_(editor),
      key_clicks_(*this, editor),
      settings_(U16(app::ThePaths().program_file_name.substr(
          0, app::ThePaths().program_file_name.find_last_of(L'.')))),
      language_file_(U16(app::ThePaths().skin_folder + L"language.ini")),
      skin_store_(std::filesystem::path(app::ThePaths().main_skin_file)),
      data_folder_(DocumentsOrProgramFolder(),
                   [this](const std::filesystem::path& folder) {
                     if (user_lighting_settings_) {
                       lighting::CreateUserModeFiles(*user_lighting_settings_,
                                                     app::ThePaths().skin_folder, folder);
                     }
                   }),
      config_{channel, prompter_},
      profile_context_{data_folder_, config_},
      switch_context_{profile_context_, *this, profile_list_} {
  program_icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconAbsent));
  user_lighting_settings_ =
      std::make_unique<win32::Win32IniStore>((data_folder_.Path() / "wskb.ini").u16string());
  lighting_ = std::make_unique<lighting::LightingController>(
      channel_, lighting::LightingSources{skin_store_, language_file_, *user_lighting_settings_});
  TheAppState().auto_show_done = startHidden ? 1 : 0;
  TheAppState().instance_mutex = instance_mutex_.get();
  apply_enabled_ = 0;  // start-up check 5
}

CTarvolinDlg::~CTarvolinDlg() {
  // Normally closed by ShutdownGate already; the window may be gone, so nothing to pump.
  if (device_events_) device_events_->CloseGate();
  if (program_icon_ != nullptr) DestroyIcon(program_icon_);
  if (user32_ != nullptr) FreeLibrary(user32_);
}

// ---------------------------------------------------------------------------------------
// Initialisation, in its fixed order.

BOOL CTarvolinDlg::OnInitDialog() {
  // Without its background or shape the window cannot be shown; say why before the base
  // ends the process.
  CheckBackgroundOrExit();
  CBaseDialog::OnInitDialog();  // 1
  prompter_.SetOwner(hwnd());
  AppendAboutToSystemMenu();                                                            // 2
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(program_icon_));  // 3
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(program_icon_));
  tray_ready_ = 0;  // 4
  TheAppState().main_window_handle = hwnd();
  TheAppState().main_window = this;
  TheAppState().cached_profile = -1;
  StartDevice();                          // 5, 6
  user32_ = LoadLibraryW(L"User32.dll");  // 7
  set_layered_attributes_ =
      user32_ == nullptr
          ? nullptr
          : reinterpret_cast<void*>(GetProcAddress(user32_, "SetLayeredWindowAttributes"));
  if (set_layered_attributes_ == nullptr)
    app::ExitQuietly(L"User32.dll lacks SetLayeredWindowAttributes");
  InstallDefaultConfiguration();  // 8
  scale_ = DpiScale(WindowDpi(hwnd()));
  LoadPicturesOrExit();  // 9
  FitToSkin();
  link_url_ = win32::ToWide(skin_file().Read(skin::kScreenSection, u"Link").value_or(u""));  // 10
  CreateButtons();                                                                           // 11
  PlaceAll();
  CreateProfileManager();
  ApplyFlip(ReadFlip(settings_));
  SetWindowStyles();                        // 12
  key_events_.Create();                     // 13
  SetDlgItemTextW(hwnd(), id::kModeSwitch,  // 14
                  win32::ToWide(LanguageText(TextKey::MAIN_SWITCH_FUNCTION_TEXT)).c_str());
  PostMessageW(hwnd(), kMainMsgInit, kInitCode, 0);  // 15
  RegisterSessionNotifications();                    // 16
  // 17: the user mode list was filled when the panel was created.
  ApplyCaptions();  // 18
  keyboard_filter_.Install(hwnd(), lighting::control::kEffectList);
  data_folder_.Ensure();
  // A run killed while it wrote a profile left its temporary file; the target is whole.
  profiles::win32::RemoveAbandonedProfileTemporaries(data_folder_.Path());
  lighting::CreateUserModeFiles(*user_lighting_settings_, app::ThePaths().skin_folder,
                                data_folder_.Path());
  return TRUE;  // 19
}

void CTarvolinDlg::CheckBackgroundOrExit() {
  const IniStore& file = skin_store_;
  const std::u16string mainName = file.Read(skin::kScreenSection, u"Main", u"");
  const std::u16string maskName = file.Read(skin::kScreenSection, u"Mask", mainName);
  for (const std::u16string& name : {mainName, maskName}) {
    if (!widgets::LoadPictureBitmap(skin_folder() + win32::ToWide(name))) {
      app::ExitQuietly(L"the skin picture " + skin_folder() + win32::ToWide(name) +
                       L" cannot be loaded");
    }
  }
}

void CTarvolinDlg::AppendAboutToSystemMenu() {
  wchar_t text[64] = {};
  if (LoadStringW(GetModuleHandleW(nullptr), kAboutString, text, 64) <= 0) return;
  HMENU system = GetSystemMenu(hwnd(), FALSE);
  if (system == nullptr) return;
  AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(system, MF_STRING, kSysCmdAboutFirst, text);
}

void CTarvolinDlg::StartDevice() {
  device::HidLibraryApi api;
  if (!device::LoadHidLibrary(api))
    app::ExitQuietly(L"Quorlink.dll or one of its functions is missing");
  if (!channel_.Bind(api)) app::ExitQuietly(L"Quorlink.dll did not initialise");
  attachment::TheBankStatus().Reset();
  channel_.Subscribe();
  device_port_ = std::make_unique<WindowDevicePort>(hwnd(), tray_ready_);
  device_events_ = std::make_unique<attachment::DeviceEvents>(
      attachment::DeviceEventsContext{channel_, *device_port_, prompter_});
  device_events_->Connect();
  const int count = channel_.DeviceCount();
  device_events_->StartAttachRun(count);
  if (count == 0) TheAppState().auto_show_done = 1;
}

void CTarvolinDlg::InstallDefaultConfiguration() {
  model::EditedConfig& edited = model::TheEditedConfig();
  std::lock_guard lock(edited.mutex());
  profiles::ReleaseEditedConfiguration(edited);
  profiles::BuildDefaultProfileSet(edited);
  SetApplyEnabled(false);
}

void CTarvolinDlg::LoadPicturesOrExit() {
  if (!skin_.Load(skin_folder(), hwnd(), background(), mask(), scale_)) {
    app::ExitQuietly(L"a main skin picture object could not be created");
  }
  progress_frames_.Load(skin_folder(), hwnd(), scale_);
}

void CTarvolinDlg::SetWindowStyles() {
  LONG_PTR extended = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  extended = (extended & ~LONG_PTR{WS_EX_APPWINDOW}) | WS_EX_TOOLWINDOW;
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, extended);
  SetWindowLongPtrW(hwnd(), GWLP_USERDATA, kMainWindowMarker);
  SetWindowLongPtrW(hwnd(), GWL_STYLE,
                    GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_MINIMIZEBOX | WS_SYSMENU);
  SetWindowTextW(hwnd(), win32::ToWide(LanguageText(TextKey::MAIN_CAPTION)).c_str());
}

void CTarvolinDlg::RegisterSessionNotifications() {
  HMODULE wts = LoadLibraryW(L"WtsApi32.dll");
  if (wts == nullptr) return;
  using Register = BOOL(WINAPI*)(HWND, DWORD);
  const auto registerSession = reinterpret_cast<Register>(
      reinterpret_cast<void*>(GetProcAddress(wts, "WTSRegisterSessionNotification")));
  if (registerSession != nullptr) registerSession(hwnd(), NOTIFY_FOR_THIS_SESSION);
  FreeLibrary(wts);
}

void CTarvolinDlg::PlaceAll() {
  PlaceButtons();
  panel_->Place(skin_folder(), scale_);
}

// The window takes the size of its skin at this DPI, its shape, and the middle of the work
// area it is on.
void CTarvolinDlg::FitToSkin() {
  const SIZE size = skin_.window_size();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int x = work.left + std::max(0L, (work.right - work.left - size.cx) / 2);
  const int y = work.top + std::max(0L, (work.bottom - work.top - size.cy) / 2);
  SetWindowPos(hwnd(), nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  skin::RegionHandle shape = skin_.MakeShape();
  if (shape && SetWindowRgn(hwnd(), shape.get(), TRUE) != 0) shape.Release();
}

void CTarvolinDlg::ApplyScale(int dpi, const RECT* suggested) {
  if (dpi == scale_.dpi()) return;
  scale_ = DpiScale(dpi);
  if (!skin_.Load(skin_folder(), hwnd(), background(), mask(), scale_)) return;
  progress_frames_.Load(skin_folder(), hwnd(), scale_);
  const SIZE size = skin_.window_size();
  const int x = suggested != nullptr ? suggested->left : 0;
  const int y = suggested != nullptr ? suggested->top : 0;
  SetWindowPos(hwnd(), nullptr, x, y, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE | (suggested == nullptr ? SWP_NOMOVE : 0));
  skin::RegionHandle shape = skin_.MakeShape();
  if (!shape) shape = widgets::RegionFromMask(mask(), RGB(255, 255, 255), 0);
  if (shape && SetWindowRgn(hwnd(), shape.get(), TRUE) != 0) shape.Release();
  label_brush_.Reset();
  PlaceAll();
  // New key pictures: the looks of the assigned keys again. (At start-up every key is plain
  // until the keyboard's profile is loaded, so this is not needed there.)
  RefreshKeyLooks();
  ApplyFlip(flip_);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------
// Messages.

bool CTarvolinDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case kMainMsgKill:
      if (wParam == kKillCode) CloseProgram();
      result = 0;
      return true;
    case kMainMsgOpen:
      if (wParam == kOpenCode) Show();
      result = 0;
      return true;
    case kMainMsgInit:
      if (wParam == kInitCode) OnInitMessage();
      result = 0;
      return true;
    case kMainMsgProfile:
      if (wParam == kProfileCode) OnProfileMessage();
      result = 0;
      return true;
    case kMainMsgBank:
      if (wParam == kBankCode) OnBankMessage();
      result = 0;
      return true;
    case kApplyRequestMessage:
      Apply();
      result = 0;
      return true;
    case kBusyDoneMessage:
      ShowWindow(GetDlgItem(hwnd(), id::kProgress), SW_HIDE);
      result = 0;
      return true;
    case kTrayIconMessage:
      SetTrayIcon(static_cast<int>(wParam));
      result = 0;
      return true;
    case kBankLookMessage:
      SetBankIndicator(*reinterpret_cast<const attachment::BankIndicatorPictures*>(lParam));
      result = 0;
      return true;
    case kGKeyCaptionsMessage:
      SetGKeyCaptions(*reinterpret_cast<const attachment::GKeyCaptions*>(lParam));
      result = 0;
      return true;
    case kLightingTimerMessage:
      SetTimer(hwnd(), kLightingChangedTimer, 0, nullptr);
      result = 0;
      return true;
    case WM_TIMER:
      OnTimer(wParam);
      result = 0;
      return true;
    case WM_SHOWWINDOW:
      // However the window hides (Cancel, or an unplug from a device thread), a button under
      // the resting pointer would otherwise stay tracked, and woken for, while hidden.
      if (wParam == FALSE) {
        for (auto& [id, button] : buttons_) button->CancelMouseTracking();
      }
      return false;
    case WM_WINDOWPOSCHANGING: {
      // Start-up hide: the dialog manager shows a modal dialog once its queue first runs
      // empty, which may be after MainMsgInit; only an explicit open may show it.
      auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
      if (starting_) position->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
      return false;
    }
    case WM_DRAWITEM:
      if (wParam == static_cast<WPARAM>(id::kProgress)) {
        OnDrawProgress(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
      }
      return false;
    case kSliderMovedMessage:
      ShowLighting(lighting_->MoveSlider(static_cast<int>(wParam), static_cast<int>(lParam)));
      result = 0;
      return true;
    case WM_COMMAND:
      if (lParam != 0 && OnLightingCommand(LOWORD(wParam), HIWORD(wParam))) {
        result = 0;
        return true;
      }
      // From a control only its click counts (a list's selection change is not a click).
      if (lParam != 0 && HIWORD(wParam) != BN_CLICKED) return false;
      if (OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam))) {
        result = 0;
        return true;
      }
      return false;
    case WM_SYSCOMMAND:
      if (wParam >= kSysCmdAboutFirst && wParam <= kSysCmdAboutLast) {
        about_.Open(link_url_);
        result = 0;
        return true;
      }
      return false;
    case WM_HELP:
      OpenHelp();
      result = TRUE;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(program_icon_);
      return true;
    case WM_DPICHANGED:
      ApplyScale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      result = 0;
      return true;
    case WM_PAINT:
      if (IsIconic(hwnd())) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd(), &paint);
        RECT client{};
        GetClientRect(hwnd(), &client);
        DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                 (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, program_icon_);
        EndPaint(hwnd(), &paint);
        result = 0;
        return true;
      }
      if (skin_.scaled_background() != nullptr) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd(), &paint);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(source, skin_.scaled_background());
        const SIZE size = skin_.window_size();
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        EndPaint(hwnd(), &paint);
        result = 0;
        return true;
      }
      return false;
    case WM_CTLCOLORSTATIC:
      result = reinterpret_cast<LRESULT>(
          LabelBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
      return true;
    case WM_WTSSESSION_CHANGE:
      result = 0;  // registered for, but nothing depends on it
      return true;
    default:
      return false;
  }
}

bool CTarvolinDlg::OnCommand(int id, HWND control) {
  (void)control;
  switch (id) {
    case kCmdOpen:
      Show();
      return true;
    case kCmdAbout:
      about_.Open(link_url_);
      return true;
    case kCmdExit:
    case kCmdClose:
    case id::kClose:
      CloseProgram();
      return true;
    case kCmdImport:
      if (profiles::win32::ImportProfile(hwnd(), profile_context_, [this] { RefreshKeyLooks(); })) {
        SetApplyEnabled(false);
      }
      return true;
    case kCmdExport:
      profiles::win32::ExportProfile(hwnd(), profile_context_);
      return true;
    case id::kApply:
      Apply();
      return true;
    case id::kDefaults:
      RestoreDefaults();
      return true;
    case id::kProfile1:
    case id::kProfile1 + 1:
    case id::kProfile1 + 2:
      SelectProfile(id - id::kProfile1);
      return true;
    case id::kFlipLeft:
    case id::kFlipRight:
      OnFlipClicked();
      return true;
    case id::kHelp:
      OpenHelp();
      return true;
    case id::kMinimize:
      PostMessageW(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return true;
    case id::kMenu:
      tray::ShowButtonMenu(hwnd());
      return true;
    case id::kLink:
      OpenLink();
      return true;
    case id::kMacro:
      OnKeyClick(id::kG9);
      return true;
    case id::kProfileLabel:
      // A fresh dialog object for each opening: nothing of the last one's windows lingers.
      if (profile_manager_->OpenCount() == 0) CreateProfileManager();
      profile_manager_->Open();
      return true;
    default:
      break;
  }
  if (Button(id) != nullptr && (model::KeyButtonIndex(static_cast<std::uint16_t>(id)) ||
                                model::GKeyIndex(static_cast<std::uint16_t>(id)) || id == id::kFn ||
                                (id >= id::kFirstD && id < id::kFirstD + id::kDCount))) {
    OnKeyClick(id);
    return true;
  }
  return false;
}

void CTarvolinDlg::OnInitMessage() {
  tray_.CreateTrayIcon(hwnd(), kTrayCallbackMessage,
                       win32::ToWide(LanguageText(TextKey::KEYBOARD_TRAY_DESC)), program_icon_,
                       kTrayIconId);
  current_tray_icon_ = kIconAbsent;
  SetPropW(hwnd(), kTrayIconProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(kIconAbsent)));
  profiles::RefreshProfileIndicator(switch_context_, 1);
  tray_ready_ = 1;
  Hide();
}

void CTarvolinDlg::OnTimer(UINT_PTR timer) {
  if (timer == kLightingChangedTimer) {
    KillTimer(hwnd(), kLightingChangedTimer);
    ShowLighting(lighting_->OnLightingChangedTimer());
  }
}

void CTarvolinDlg::OnDrawProgress(const DRAWITEMSTRUCT& item) {
  progress_frames_.Paint(
      item.hDC, progress_frame_,
      SIZE{item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top});
}

// ---------------------------------------------------------------------------------------
// Show, hide, close.

void CTarvolinDlg::Show() {
  if (TheAppState().keyboard_attached == 0) {
    MessageBoxW(hwnd(), win32::ToWide(LanguageText(TextKey::MAIN_NO_DEVICE_PROMPT)).c_str(), L"",
                MB_OK);
    return;
  }
  starting_ = false;
  LONG_PTR extended = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  extended = (extended & ~LONG_PTR{WS_EX_TOOLWINDOW}) | WS_EX_APPWINDOW;
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, extended);
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void CTarvolinDlg::Hide() {
  ShowWindow(hwnd(), SW_HIDE);
}

void CTarvolinDlg::OnOK() {
  Apply();
  Hide();
}

void CTarvolinDlg::OnCancel() {
  Hide();
}

void CTarvolinDlg::CloseProgram() {
  Hide();
  if (!ShutdownGate()) return;
  keyboard_filter_.Remove();
  ReleaseSkinBitmaps();
  EndWith(IDOK);
}

bool CTarvolinDlg::ShutdownGate() {
  if (!about_.CanClose() || !profile_manager_->CloseIfOpen() || !editor_.CanClose()) return false;
  // From here on nothing from the device threads reaches the window; the calls already
  // inside are waited for while the messages they sent are still answered.
  device_events_->CloseGate([this] { PumpSentMessages(); });
  instance_mutex_.Reset();
  TheAppState().instance_mutex = nullptr;
  key_events_.Close();
  tray_.DeleteTrayIcon();
  current_tray_icon_ = 0;
  SetPropW(hwnd(), kTrayIconProperty, nullptr);
  SetApplyEnabled(false);
  {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    edited.Release();
  }
  {
    model::AppliedConfig& applied = model::TheAppliedConfig();
    std::lock_guard lock(applied.mutex());
    applied.Clear();
  }
  return true;
}

// Labels on the skin show the picture behind them: their background is the window's own
// picture, aligned to where the label sits.
HBRUSH CTarvolinDlg::LabelBrush(HDC dc, HWND label) {
  if (!label_brush_) {
    HBITMAP picture =
        skin_.scaled_background() != nullptr ? skin_.scaled_background() : background();
    label_brush_.Reset(CreatePatternBrush(picture));
  }
  RECT place{};
  GetWindowRect(label, &place);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
  SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0xE4, 0xE4, 0xE4));
  return label_brush_.get();
}

void CTarvolinDlg::PumpSentMessages() {
  MSG message;
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void CTarvolinDlg::SetTrayIcon(int iconId) {
  if (current_tray_icon_ == iconId) return;
  tray_.SetTrayPicture(iconId);
  current_tray_icon_ = iconId;
  SetPropW(hwnd(), kTrayIconProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(iconId)));
}

// ---------------------------------------------------------------------------------------
// Help and link.

void CTarvolinDlg::OpenHelp() {
  ShellExecuteW(hwnd(), L"open", L"index.html", nullptr, app::ThePaths().help_folder.c_str(),
                SW_SHOWNORMAL);
}

void CTarvolinDlg::OpenLink() {
  if (!link_url_.empty())
    ShellExecuteW(hwnd(), L"open", link_url_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tarvolin::mainwnd
