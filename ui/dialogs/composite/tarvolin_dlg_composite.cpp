#include "ui/dialogs/composite/tarvolin_dlg_composite.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "app/program_paths.h"
#include "i18n/language_table.h"
#include "model/config_state.h"
#include "model/key_buttons.h"
#include "model/key_code.h"
#include "model/key_table.h"
#include "model/media_keys.h"
#include "platform/win32/wide_text.h"
#include "resources/app/resource_ids.h"
#include "ui/dialogs/composite/composite_ids.h"

namespace tarvolin::composite {
namespace {

std::wstring ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void ShowControl(HWND dialog, int id, bool visible) {
  ShowWindow(GetDlgItem(dialog, id), visible ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

Tarvolin_DlgComposite::Tarvolin_DlgComposite(CompositeHost& host)
    : CBaseDialog(IDD_COMPOSITE, host.HostWindow(), app::ThePaths().composite_skin_file,
                  app::ThePaths().composite_skin_folder),
      host_(host),
      skin_store_(std::filesystem::path(app::ThePaths().composite_skin_file)),
      pane_(*this) {}

Tarvolin_DlgComposite::~Tarvolin_DlgComposite() {
  StopCapture();
}

// ---------------------------------------------------------------------------------------
// Opening and closing.

INT_PTR Tarvolin_DlgComposite::OpenForButton(int buttonId) {
  if (open_count_ > 0) return -1;  // one key at a time
  const auto id = static_cast<std::uint16_t>(buttonId);
  macro_only_ = buttonId == ids::kG9Button;
  if (const std::optional<int> j = model::GKeyIndex(id)) {
    slot_ = model::SlotOfGKey(*j, host_.GKeyBank());
  } else if (const std::optional<std::size_t> index = model::KeyButtonIndex(id)) {
    slot_ = model::SlotOfCode(model::KeyButtonTable()[*index].code);
  } else {
    return -1;
  }
  profile_offset_ = 0;
  button_id_ = buttonId;
  host_.HighlightKeyButton(buttonId);
  ++open_count_;
  const INT_PTR result = DoModal();
  // Whatever ended the dialog (a failed creation included), nothing of it stays installed.
  if (open_count_ > 0) Close(result == -1 ? IDCANCEL : result);
  StopCapture();
  keys_filter_.Remove();
  return result;
}

void Tarvolin_DlgComposite::CloseIfOpen() {
  if (open_count_ > 0) Close(IDCANCEL);
}

BOOL Tarvolin_DlgComposite::OnInitDialog() {
  CBaseDialog::OnInitDialog();
  prompter_.SetOwner(hwnd());
  scale_ = mainwnd::DpiScale(host_.HostDpi());
  // 1. Skin, pictures, fonts, tooltips.
  SetUpWindow();
  AttachButtons();
  PlaceControls();
  CreateFonts();
  // 2. Lists and cycles.
  FillLists();
  loading_cycles_ = true;
  SetDlgItemTextW(hwnd(), ids::kCycles, L"1");
  loading_cycles_ = false;
  // 3. The macro pane's working copies; Apply starts disabled.
  pane_.Attach(hwnd());
  pane_.Load();
  SetModified(false);
  // 4. The record being edited.
  type_ = 0;
  value_ = 0;
  tag_ = 0;
  {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    const int profile = TheAppState().cached_profile + profile_offset_;
    if (edited.profiles && model::IsValidProfile(profile)) {
      const model::KeyAssignment& record = edited.profiles->Record(profile, slot_);
      type_ = record.type;
      value_ = record.value;
      tag_ = record.tag;
    }
  }
  // 5. G9 assigns macros only.
  if (macro_only_) {
    type_ = model::AssignmentType::kMacro;
    for (int id : {ids::kTabKey, ids::kTabMedia, ids::kTabFunction, ids::kClear}) {
      EnableWindow(GetDlgItem(hwnd(), id), FALSE);
    }
  } else {
    for (int id : {ids::kTabKey, ids::kTabMacro, ids::kTabMedia, ids::kTabFunction, ids::kClear}) {
      EnableWindow(GetDlgItem(hwnd(), id), TRUE);
    }
  }
  // 6. The tab of the record's type.
  captured_code_ = 0;
  tab_changed_ = false;
  SetDlgItemTextW(hwnd(), ids::kKeyInput, L"");
  ShowTab(true);
  // 7, 8.
  PlaceBesideButton();
  LoadTexts();
  keys_filter_.Install(hwnd());
  SetFocus(GetDlgItem(hwnd(), IDOK));
  return FALSE;  // the focus is set
}

void Tarvolin_DlgComposite::OnOK() {
  Apply();
  Close(IDOK);
}

void Tarvolin_DlgComposite::OnCancel() {
  Close(IDCANCEL);
}

void Tarvolin_DlgComposite::Close(INT_PTR result) {
  if (open_count_ <= 0) return;
  StopCapture();
  keys_filter_.Remove();
  pane_.Close();
  SetModified(false);
  --open_count_;
  host_.RefreshKeyButtonLooks();
  if (hwnd() != nullptr) {
    ReleaseSkinBitmaps();
    EndWith(result);
  }
}

// ---------------------------------------------------------------------------------------
// Messages.

bool Tarvolin_DlgComposite::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) {
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY:
      return pane_.OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_HELP:
      if (!pane_.IsRecording()) host_.OpenHelp();
      result = TRUE;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd(), &paint);
      PaintBackground(dc);
      EndPaint(hwnd(), &paint);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      const int id = GetDlgCtrlID(control);
      if (id == ids::kKeyInput) return false;
      result = reinterpret_cast<LRESULT>(LabelBrush(reinterpret_cast<HDC>(wParam), control));
      return true;
    }
    case WM_DESTROY:
      // Also when the window goes without OK or Cancel: no hook outlives it.
      StopCapture();
      pane_.StopRecording();
      keys_filter_.Remove();
      return false;
    default:
      return false;
  }
}

bool Tarvolin_DlgComposite::OnCommand(int id, int notification) {
  if (pane_.OnCommand(id, notification)) return true;
  if (id == ids::kCycles) {
    if (notification == EN_CHANGE) OnCyclesChanged();
    return true;
  }
  if (notification != BN_CLICKED) return false;
  switch (id) {
    case ids::kTabKey:
      OnTabButton(Tab::kSingleKey);
      return true;
    case ids::kTabMacro:
      OnTabButton(Tab::kMacro);
      return true;
    case ids::kTabMedia:
      OnTabButton(Tab::kMedia);
      return true;
    case ids::kTabFunction:
      OnTabButton(Tab::kFunction);
      return true;
    case ids::kClear:
      OnClear();
      return true;
    case ids::kOsk:
      ShellExecuteW(hwnd(), L"open", L"osk.exe", nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case ids::kApply:
      Apply();
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------------------
// Tabs.

void Tarvolin_DlgComposite::ShowTab(bool initial) {
  const Tab tab = TabOfType(type_);
  switch (tab) {
    case Tab::kMacro:
      StopCapture();
      if (initial) {
        if (value_ == 0 || !pane_.SelectMacroById(static_cast<std::uint16_t>(value_))) {
          SelectFirstMacro();
        }
        tag_ = static_cast<std::uint16_t>(tag_ < kMinCycles   ? kMinCycles
                                          : tag_ > kMaxCycles ? kMaxCycles
                                                              : tag_);
      } else if (!tab_changed_ && value_ == 0) {
        SelectFirstMacro();
      }
      SetPictureSet(PictureSet::kMacro);
      break;
    case Tab::kMedia:
    case Tab::kFunction: {
      StopCapture();
      pane_.StopRecording();
      const int list = tab == Tab::kMedia ? ids::kMediaList : ids::kFunctionList;
      if (initial) {
        const auto count =
            static_cast<std::uint32_t>(SendDlgItemMessageW(hwnd(), list, CB_GETCOUNT, 0, 0));
        SendDlgItemMessageW(hwnd(), list, CB_SETCURSEL, value_ < count ? value_ : 0, 0);
      }
      SetPictureSet(tab == Tab::kMedia ? PictureSet::kMedia : PictureSet::kFunction);
      break;
    }
    case Tab::kSingleKey:
      pane_.StopRecording();
      StartCapture();
      if (initial) {
        captured_code_ = static_cast<std::uint16_t>(value_);
        if (type_ == model::AssignmentType::kSingleKey && captured_code_ != 0) {
          SetDlgItemTextW(hwnd(), ids::kKeyInput,
                          win32::ToWide(model::KeyName(captured_code_)).c_str());
        }
      }
      SetPictureSet(PictureSet::kKey);
      break;
  }
  if (!initial) tab_changed_ = true;
  pane_.Show(tab == Tab::kMacro);
  ShowControl(hwnd(), ids::kPromptMacroName, tab == Tab::kMacro);
  ShowControl(hwnd(), ids::kPromptSingle, tab == Tab::kSingleKey);
  ShowControl(hwnd(), ids::kKeyInput, tab == Tab::kSingleKey);
  ShowControl(hwnd(), ids::kPromptMedia, tab == Tab::kMedia);
  ShowControl(hwnd(), ids::kMediaList, tab == Tab::kMedia);
  ShowControl(hwnd(), ids::kPromptFunction, tab == Tab::kFunction);
  ShowControl(hwnd(), ids::kFunctionList, tab == Tab::kFunction);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

// As if the user picked the first macro of the combo, so the pane shows it.
void Tarvolin_DlgComposite::SelectFirstMacro() {
  if (SendDlgItemMessageW(hwnd(), ids::kMacroCombo, CB_GETCOUNT, 0, 0) <= 0) return;
  SendDlgItemMessageW(hwnd(), ids::kMacroCombo, CB_SETCURSEL, 0, 0);
  pane_.OnCommand(ids::kMacroCombo, CBN_SELCHANGE);
}

void Tarvolin_DlgComposite::OnTabButton(Tab tab) {
  if (macro_only_ && tab != Tab::kMacro) return;
  const std::uint16_t type = TypeAfterTab(tab, type_);
  if (type == type_) return;
  type_ = type;
  ShowTab(false);
  SetModified(true);
}

void Tarvolin_DlgComposite::OnClear() {
  if (macro_only_) return;
  OnTabButton(Tab::kSingleKey);
  if (type_ == model::AssignmentType::kSingleKey) {
    SetDlgItemTextW(hwnd(), ids::kKeyInput, L"");
    captured_code_ = 0;
    type_ = model::AssignmentType::kDefault;
  }
  SetModified(true);
}

void Tarvolin_DlgComposite::OnCyclesChanged() {
  if (loading_cycles_) return;
  const std::wstring text = ControlText(hwnd(), ids::kCycles);
  if (const std::optional<std::u16string> corrected = CorrectedCyclesText(win32::FromWide(text))) {
    loading_cycles_ = true;
    SetDlgItemTextW(hwnd(), ids::kCycles, win32::ToWide(*corrected).c_str());
    SendDlgItemMessageW(hwnd(), ids::kCycles, EM_SETSEL, corrected->size(), corrected->size());
    loading_cycles_ = false;
  }
  SetModified(true);
}

// ---------------------------------------------------------------------------------------
// Single-key capture.

void Tarvolin_DlgComposite::StartCapture() {
  capture_.Start([this](std::uint16_t code) { OnKeyCaptured(code); });
}

void Tarvolin_DlgComposite::StopCapture() {
  capture_.Stop();
}

void Tarvolin_DlgComposite::OnKeyCaptured(std::uint16_t code) {
  captured_code_ = code;
  SetDlgItemTextW(hwnd(), ids::kKeyInput, win32::ToWide(model::KeyName(code)).c_str());
  type_ = model::AssignmentType::kSingleKey;
  SetModified(true);
}

// ---------------------------------------------------------------------------------------
// Apply.

void Tarvolin_DlgComposite::Apply() {
  pane_.Commit();
  EditedKey edit;
  edit.slot = slot_;
  edit.type = type_;
  edit.captured_code = captured_code_;
  edit.macro_list_empty = !pane_.HasMacros();
  edit.selected_macro_id = pane_.CurrentMacroId();
  edit.cycles = CyclesOfText(win32::FromWide(ControlText(hwnd(), ids::kCycles)));
  edit.media_index =
      static_cast<int>(SendDlgItemMessageW(hwnd(), ids::kMediaList, CB_GETCURSEL, 0, 0));
  edit.function_index =
      static_cast<int>(SendDlgItemMessageW(hwnd(), ids::kFunctionList, CB_GETCURSEL, 0, 0));
  {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    const int profile = TheAppState().cached_profile + profile_offset_;
    if (edited.profiles && model::IsValidProfile(profile)) {
      model::KeyAssignment& record = edited.profiles->Record(profile, slot_);
      record = AssignmentToStore(edit, record);
      // Only launch and text records have a text; whatever the new type, it is gone.
      edited.ClearString(static_cast<std::size_t>(profile) * model::kSlotsPerProfile + slot_);
    }
  }
  host_.RefreshKeyButtonLooks();
  host_.HighlightKeyButton(button_id_);
  SetModified(false);
  host_.MarkConfigurationModified();
}

void Tarvolin_DlgComposite::SetModified(bool modified) {
  modified_ = modified;
  if (hwnd() == nullptr) return;
  EnableWindow(GetDlgItem(hwnd(), ids::kApply), modified ? TRUE : FALSE);
  // The skin has no disabled plate for Apply: a dimmed caption tells it is off.
  if (const auto apply = buttons_.find(ids::kApply); apply != buttons_.end()) {
    apply->second->SetTextStyle(1, ids::kCaptionPoints, L"Tahoma",
                                modified ? ids::kCaptionText : ids::kDisabledCaptionText, ids::kCaptionFormat);
    InvalidateRect(apply->second->Handle(), nullptr, FALSE);
  }
}

void Tarvolin_DlgComposite::FillLists() {
  SendDlgItemMessageW(hwnd(), ids::kMediaList, CB_RESETCONTENT, 0, 0);
  for (const model::MediaKey& key : model::MediaKeyTable()) {
    SendDlgItemMessageW(hwnd(), ids::kMediaList, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(win32::ToWide(model::KeyName(key.code)).c_str()));
  }
  SendDlgItemMessageW(hwnd(), ids::kMediaList, CB_SETCURSEL, 0, 0);
  SendDlgItemMessageW(hwnd(), ids::kFunctionList, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < ids::kFunctionCount; ++i) {
    const auto key = static_cast<TextKey>(static_cast<int>(TextKey::FUNC_KEY_DESC1) + i);
    SendDlgItemMessageW(hwnd(), ids::kFunctionList, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(win32::ToWide(LanguageText(key)).c_str()));
  }
  SendDlgItemMessageW(hwnd(), ids::kFunctionList, CB_SETCURSEL, 0, 0);
}

// ---------------------------------------------------------------------------------------
// The macro pane's host.

const LanguageTable& Tarvolin_DlgComposite::Language() const {
  return GlobalLanguageTable();
}

void Tarvolin_DlgComposite::RefreshKeyButton(int profile, std::uint16_t slot) {
  (void)slot;
  if (profile == TheAppState().cached_profile) host_.RefreshKeyButtonLooks();
}

void Tarvolin_DlgComposite::SetButtonChecked(int id, bool checked) {
  const auto found = buttons_.find(id);
  if (found == buttons_.end()) return;
  if (id == ids::kRecord) {
    // The lit record button of the recording set, in every state.
    const skin::StatePictures pictures =
        pictures_.Pictures(checked ? PictureSet::kMacroRecording : picture_set_);
    found->second->SetPictures(pictures);
  }
  found->second->SetChecked(checked ? 1 : 0, true);
}

std::uint32_t Tarvolin_DlgComposite::MacroSpace() const {
  return TheAppState().macro_space;
}

}  // namespace tarvolin::composite
