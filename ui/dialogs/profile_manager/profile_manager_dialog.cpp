#include "ui/dialogs/profile_manager/profile_manager_dialog.h"

#include <algorithm>

#include "app/program_paths.h"
#include "i18n/language_choice.h"
#include "model/download.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ini_store.h"
#include "profiles/keyboard_profile.h"
#include "profiles/profile_file.h"
#include "profiles/profile_settings.h"
#include "profiles/win32/profile_file_dialog.h"
#include "resources/app/resource_ids.h"
#include "ui/dialogs/profile_manager/profile_manager_texts.h"
#include "ui/main/bitmap_scaling.h"
#include "ui/main/scaled_placement.h"
#include "ui/skin/device_context.h"
#include "ui/skin/fatal_exit.h"
#include "ui/skin/skin_layout.h"
#include "ui/widgets/mask_region.h"
#include "ui/widgets/picture_file.h"
#include "ui/widgets/row_states.h"

namespace tarvolin::dialogs {
namespace {

struct ButtonSpec {
  int id;
  std::u16string_view skin_key;
};
// Member order: OK, Cancel, Add, Load, Delete, Apply.
constexpr std::array<ButtonSpec, 6> kButtons = {{{IDOK, u"CONTROL_OK"},
                                                 {IDCANCEL, u"CONTROL_CANCEL"},
                                                 {IDC_PROFILE_ADD, u"FUNC_ADD"},
                                                 {IDC_PROFILE_LOAD, u"FUNC_LOAD"},
                                                 {IDC_PROFILE_DELETE, u"FUNC_DELETE"},
                                                 {IDC_PROFILE_APPLY, u"CONTROL2_APPLY"}}};
constexpr std::size_t kApplyButton = 5;
constexpr std::array<int, 3> kColumnWidths = {60, 120, 230};
constexpr COLORREF kMaskTransparent = RGB(255, 255, 255);
// The state image of a ticked check box.
constexpr UINT kTickedImage = INDEXTOSTATEIMAGEMASK(2);

Language CurrentLanguage() {
  const win32::Win32IniStore file(win32::FromWide(app::ThePaths().skin_folder + L"language.ini"));
  return ReadLanguageChoice(file);
}

}  // namespace

CTarvolin_DlgProfile::CTarvolin_DlgProfile(HWND owner, ProfileManagerHost host)
    : CBaseDialog(IDD_PROFILE, owner, app::ThePaths().profile_skin_file,
                  app::ThePaths().profile_skin_folder),
      host_(std::move(host)) {}

CTarvolin_DlgProfile::~CTarvolin_DlgProfile() = default;

void CTarvolin_DlgProfile::Open() {
  if (open_count_ > 0) return;
  DoModal();
}

BOOL CTarvolin_DlgProfile::OnInitDialog() {
  ++open_count_;
  CBaseDialog::OnInitDialog();
  SetUpList();
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    buttons_[i] = std::make_unique<widgets::CPngButton>();
    buttons_[i]->Attach(GetDlgItem(hwnd(), kButtons[i].id));
  }
  if (images_loaded_ == 0) {
    pictures_.LoadOnce(skin_folder());
    images_loaded_ = 1;
  }
  ApplyScale(host_.scale ? host_.scale() : mainwnd::DpiScale(), nullptr);
  // Centred over the main window, kept on its monitor's work area.
  RECT owner{};
  RECT self{};
  HWND parent = GetWindow(hwnd(), GW_OWNER);
  if (parent != nullptr && IsWindowVisible(parent)) {
    GetWindowRect(parent, &owner);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &owner, 0);
  }
  GetWindowRect(hwnd(), &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int x = std::max(
      work.left, std::min<LONG>((owner.left + owner.right - width) / 2, work.right - width));
  const int y = std::max(
      work.top, std::min<LONG>((owner.top + owner.bottom - height) / 2, work.bottom - height));
  SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetTexts();
  Fill();
  return TRUE;
}

void CTarvolin_DlgProfile::SetUpList() {
  list_.Attach(GetDlgItem(hwnd(), IDC_PROFILE_LIST));
  const ProfileManagerTexts& texts = TextsFor(CurrentLanguage());
  for (int column = 0; column < 3; ++column) {
    list_.AddColumn(column, std::wstring(texts.columns[static_cast<std::size_t>(column)]),
                    LVCFMT_LEFT, kColumnWidths[static_cast<std::size_t>(column)]);
  }
  list_.ShowGridLines(true);
  SendMessageW(list_.hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               LVS_EX_FULLROWSELECT);
  list_.AllowHeaderSort(false);  // a row's position is its hardware profile
  list_.ChooseCheckMode(static_cast<int>(widgets::CheckMode::kSingle));
  list_.SetCheckChangedCallback([this](int, widgets::CReportCtrl&) {
    if (!filling_) SetApplyEnabled(true);
  });
}

void CTarvolin_DlgProfile::SetTexts() {
  const ProfileManagerTexts& texts = TextsFor(CurrentLanguage());
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    buttons_[i]->SetTooltip(std::wstring(texts.tooltips[i]), true);
  }
}

void CTarvolin_DlgProfile::ApplyScale(mainwnd::DpiScale scale, const RECT* suggested) {
  scale_ = scale;
  const SIZE base = widgets::BitmapSize(background());
  const SIZE size{scale.Scale(base.cx), scale.Scale(base.cy)};
  skin::RegionHandle shape;
  if (scale.IsIdentity()) {
    scaled_background_.Reset();
    shape = widgets::RegionFromMask(mask(), kMaskTransparent, 0);
  } else {
    skin::WindowDc windowDc(hwnd());
    scaled_background_ = mainwnd::ScaleBitmap(windowDc.get(), background(), scale, true);
    const skin::BitmapHandle scaledMask =
        mainwnd::ScaleBitmap(windowDc.get(), mask(), scale, false);
    if (scaledMask) shape = widgets::RegionFromMask(scaledMask.get(), kMaskTransparent, 0);
  }
  const UINT move = suggested != nullptr ? 0 : SWP_NOMOVE;
  SetWindowPos(hwnd(), nullptr, suggested != nullptr ? suggested->left : 0,
               suggested != nullptr ? suggested->top : 0, size.cx, size.cy,
               move | SWP_NOZORDER | SWP_NOACTIVATE);
  if (shape && SetWindowRgn(hwnd(), shape.get(), TRUE) != 0) shape.Release();
  if (!pictures_.MakeSurfaces(hwnd(), scale)) skin::EndProcessSilently();
  PlaceControls();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CTarvolin_DlgProfile::PlaceControls() {
  const skin::SkinLayout layout(skin_file().store());
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    mainwnd::PlaceScaledButton(*buttons_[i], layout, kButtons[i].skin_key, pictures_.States(),
                               scale_);
  }
  EnableWindow(buttons_[kApplyButton]->hwnd(), apply_enabled_ == 1);
  const skin::LayoutValue place = scale_.Scale(layout.Read(skin::kButtonSection, u"PROGRAM_LIST"));
  MoveWindow(list_.hwnd(), place.x, place.y, place.width, place.height, TRUE);
  for (int column = 0; column < 3; ++column) {
    SendMessageW(list_.hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                 scale_.Scale(kColumnWidths[static_cast<std::size_t>(column)]));
  }
}

void CTarvolin_DlgProfile::Fill() {
  filling_ = true;
  list_.RemoveRows(widgets::kRowAll);
  for (const profiles::ProfileRow& row :
       profiles::HardwareProfileRows(host_.switching.profiles.data_folder)) {
    AppendRow(row);
  }
  model::ConfigContext& config = host_.switching.profiles.config;
  const int active = model::QueryActiveProfile(config.channel, config.app_state);
  if (profiles::TickAllowed(active)) list_.ApplyRowStates(active, widgets::kRowChecked);
  filling_ = false;
  SetApplyEnabled(false);
}

void CTarvolin_DlgProfile::AppendRow(const profiles::ProfileRow& row) {
  const int position = list_.AddRow(list_.RowCount(), L"");
  if (position < 0) return;
  list_.SetCellText(position, 1, win32::ToWide(row.name));
  list_.SetCellText(position, 2, win32::ToWide(row.folder));
}

void CTarvolin_DlgProfile::SetApplyEnabled(bool enabled) {
  apply_enabled_ = enabled ? 1 : 0;
  if (buttons_[kApplyButton] != nullptr && buttons_[kApplyButton]->hwnd() != nullptr) {
    EnableWindow(buttons_[kApplyButton]->hwnd(), enabled ? TRUE : FALSE);
  }
}

int CTarvolin_DlgProfile::TickedRow() const {
  return list_.FindNextRow(widgets::kRowChecked, -1);
}

// The keyboard keeps three hardware profiles: a tick on a row below them is refused before
// the list changes, so the row stays unticked and the tick stays where it was.
bool CTarvolin_DlgProfile::RefusesTick(const NMLISTVIEW& change) const {
  if ((change.uChanged & LVIF_STATE) == 0) return false;
  if ((change.uNewState & LVIS_STATEIMAGEMASK) != kTickedImage) return false;
  if ((change.uOldState & LVIS_STATEIMAGEMASK) == kTickedImage) return false;
  return !profiles::TickAllowed(change.iItem);
}

void CTarvolin_DlgProfile::ShowSwitched(int profile) {
  if (open_count_ == 0 || hwnd() == nullptr) return;
  filling_ = true;
  if (profiles::TickAllowed(profile)) list_.ApplyRowStates(profile, widgets::kRowChecked);
  filling_ = false;
  SetApplyEnabled(false);
}

// ---------------------------------------------------------------------------------------
// Commands.

void CTarvolin_DlgProfile::Add() {
  profiles::ProfileContext& context = host_.switching.profiles;
  context.data_folder.Ensure();
  const std::u16string initial =
      context.data_folder.Path().u16string() + context.texts.Text(TextKey::PROFILE_NEW);
  const auto path =
      profiles::win32::ShowFileDialog(hwnd(), profiles::win32::SaveProfileRequest(initial));
  if (!path) return;
  // A row names only a file that is there: when the default file could not be written, no
  // row is added and nothing is left to apply.
  const std::optional<profiles::ProfileRow> row =
      profiles::AddedRow(profiles::BuildDefaultProfileSet(*path), *path);
  if (!row) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  AppendRow(*row);
  SetApplyEnabled(true);
}

void CTarvolin_DlgProfile::Load() {
  profiles::ProfileContext& context = host_.switching.profiles;
  context.data_folder.Ensure();
  const std::u16string initial = context.data_folder.Path().u16string() + u"\\*.tvc";
  const auto path =
      profiles::win32::ShowFileDialog(hwnd(), profiles::win32::OpenProfileRequest(initial));
  if (!path) return;
  AppendRow(profiles::RowOfPath(path->u16string()));
  SetApplyEnabled(true);
}

void CTarvolin_DlgProfile::Delete() {
  const int row = list_.FindNextRow(widgets::kRowSelected, -1);
  if (row < 0) return;
  list_.RemoveRow(row, false);
  SetApplyEnabled(true);
}

void CTarvolin_DlgProfile::Apply() {
  std::vector<std::u16string> values;
  for (int row = 0; row < list_.RowCount(); ++row) {
    values.push_back(profiles::RowValue(
        {win32::FromWide(list_.GetCellText(row, 1)), win32::FromWide(list_.GetCellText(row, 2))}));
  }
  profiles::ProfileSettings(host_.settings).WriteProfileRows(values);

  model::ConfigContext& config = host_.switching.profiles.config;
  if (const std::optional<int> target = profiles::ProfileToActivate(TickedRow())) {
    profiles::SetActiveProfile(config.channel, config.app_state, *target);
  }
  profiles::ReloadActiveProfile(host_.switching, 0);
  profiles::RefreshProfileIndicator(host_.switching, 0);
  SetApplyEnabled(false);
  host_.switching.window.SetApplyEnabled(false);
  if (host_.applied) host_.applied();
}

void CTarvolin_DlgProfile::Close(INT_PTR code) {
  SetApplyEnabled(false);
  if (open_count_ > 0) --open_count_;
  // The buttons go while their tooltips still exist: a handle kept past the window's end
  // could name some later window when the next opening replaces the buttons.
  for (std::unique_ptr<widgets::CPngButton>& button : buttons_) button.reset();
  ReleaseSkinBitmaps();
  scaled_background_.Reset();
  EndWith(code);
}

void CTarvolin_DlgProfile::OnOK() {
  Apply();
  Close(IDOK);
}

void CTarvolin_DlgProfile::OnCancel() {
  Close(IDCANCEL);
}

bool CTarvolin_DlgProfile::CloseIfOpen() {
  if (open_count_ > 0 && hwnd() != nullptr) Close(IDCANCEL);
  return true;
}

// ---------------------------------------------------------------------------------------
// Messages.

void CTarvolin_DlgProfile::PaintScaled(HDC target) {
  skin::MemoryDc source(target);
  if (!source) return;
  skin::SelectedObject selected(source.get(), scaled_background_.get());
  const SIZE size = widgets::BitmapSize(scaled_background_.get());
  BitBlt(target, 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

bool CTarvolin_DlgProfile::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0 && HIWORD(wParam) != BN_CLICKED) return false;
      switch (LOWORD(wParam)) {
        case IDC_PROFILE_ADD:
          Add();
          break;
        case IDC_PROFILE_LOAD:
          Load();
          break;
        case IDC_PROFILE_DELETE:
          Delete();
          break;
        case IDC_PROFILE_APPLY:
          Apply();
          break;
        default:
          return false;
      }
      result = 0;
      return true;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_PROFILE_LIST && header->code == LVN_ITEMCHANGING &&
          RefusesTick(*reinterpret_cast<const NMLISTVIEW*>(lParam))) {
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_HELP:
      if (host_.open_help) host_.open_help();
      result = TRUE;
      return true;
    case WM_DPICHANGED:
      ApplyScale(mainwnd::DpiScale(HIWORD(wParam)), reinterpret_cast<const RECT*>(lParam));
      result = 0;
      return true;
    case WM_PAINT:
      if (!scaled_background_) return false;
      {
        skin::PaintScope paint(hwnd());
        PaintScaled(paint.get());
      }
      result = 0;
      return true;
    case WM_PRINTCLIENT:
      if (!scaled_background_) return false;
      PaintScaled(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace tarvolin::dialogs
