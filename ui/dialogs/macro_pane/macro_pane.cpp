#include "ui/dialogs/macro_pane/macro_pane.h"

#include <commctrl.h>

#include <array>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "model/config_state.h"
#include "model/key_table.h"
#include "platform/number_text.h"
#include "platform/win32/wide_text.h"
#include "ui/dialogs/macro_pane/macro_recorder.h"
#include "ui/dialogs/macro_pane/macro_steps.h"
#include "ui/dialogs/macro_pane/macro_working_set.h"
#include "ui/widgets/combo_for_list.h"
#include "ui/widgets/report_ctrl.h"

namespace tarvolin::dialogs {
namespace {

using namespace macro_ids;

constexpr int kKeyColumn = 0;
constexpr int kDirectionColumn = 1;
constexpr int kDelayColumn = 2;
constexpr std::array<int, 3> kColumnWidths = {40, 50, 76};
constexpr int kSkinDpi = 96;
constexpr int kCellListHeight = 240;  // the drop-down part of a cell's choice box
constexpr const wchar_t* kPressText = L"\u2193";
constexpr const wchar_t* kReleaseText = L"  \u2191";
// A notification code of the record button's id that the pane posts to itself: the
// recording reached the step limit and stopped.
constexpr int kStepLimitNotice = 0x7A01;
// Said in the pane when a recording stops at the limit.
constexpr const char16_t* kStepLimitText =
    u"The macro is full: %d steps. The recording has stopped.";

constexpr std::array<int, 15> kPaneControls = {
    kAdd,          kDelete,  kActionList, kRecord,       kDeleteAction,
    kClearActions, kMoveTop, kMoveUp,     kMoveDown,     kMoveBottom,
    kRecordDelay,  kCycles,  kMacroCombo, kCyclesPrompt, kRecordDelayLabel};

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi != nullptr) {
    if (const UINT dpi = getDpi(window); dpi != 0) return static_cast<int>(dpi);
  }
  HDC dc = GetDC(window);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : kSkinDpi;
  if (dc != nullptr) ReleaseDC(window, dc);
  return dpi > 0 ? dpi : kSkinDpi;
}

}  // namespace

class MacroPane::Impl final : public RecordingSink {
 public:
  explicit Impl(MacroPaneHost& host) : host_(host) {}
  // The dialog that hosts the pane is being destroyed: only the hooks are removed here.
  ~Impl() override {
    if (IsRecording()) MacroRecorder::Stop();
  }

  void Attach(HWND dialog);
  void Load();
  bool SelectMacroById(std::uint16_t id);
  std::uint16_t CurrentMacroId() const {
    return current_ >= 0 && static_cast<std::size_t>(current_) < set_.size()
               ? set_.at(static_cast<std::size_t>(current_)).id
               : 0;
  }
  bool HasMacros() const { return !set_.empty(); }
  bool OnCommand(int id, int code);
  bool OnNotify(const NMHDR& header, LRESULT& result);
  bool Commit();
  void Close();
  void StopRecording();
  bool IsRecording() const { return MacroRecorder::IsRecordingFor(*this); }
  void Show(bool visible);

 private:
  HWND Control(int id) const { return dialog_ != nullptr ? GetDlgItem(dialog_, id) : nullptr; }
  std::wstring Text(TextKey key) const { return win32::ToWide(host_.Language().Text(key)); }
  void Ask(std::u16string_view text, PromptButtons buttons, PromptAnswer* answer = nullptr) {
    const PromptAnswer given = host_.Prompts().Ask(text, buttons);
    if (answer != nullptr) *answer = given;
  }

  // Macro combo.
  void OnSelectMacro();
  void OnRename();
  void Add();
  void Delete();
  bool MayDelete(const model::MacroRecord& macro);
  void InsertComboItem(int index, std::u16string_view name);
  void CommitListToMacro(int index);
  void Refresh(bool reload);

  // Steps.
  void FillRow(int row);
  void SetDelayCell(int row);
  int SelectedRow() const;
  void SelectRow(int row);
  void DeleteStep();
  void ClearSteps();
  void MoveStep(int command);
  void OnCyclesChanged();
  void ToggleRecordDelay();
  void SetCyclesText(int count);

  // Recording.
  void ToggleRecording();
  void StartRecording();
  void OnRecordedStep(std::uint32_t measuredMs, std::uint16_t code,
                      std::uint16_t direction) override;
  void TellStepLimit();

  // In-place editing.
  int OnBeginEdit(widgets::CReportCtrl& list, DWORD* extraStyles);
  int OnEndEdit(widgets::CReportCtrl& list, int commit, int* result);
  int OnValidateDelay(HWND editor, widgets::CReportCtrl& list);
  void OpenChoiceBox(int row, int column, const std::vector<std::wstring>& items, int selected);
  void CloseChoiceBox();

  MacroPaneHost& host_;
  HWND dialog_ = nullptr;
  widgets::CReportCtrl list_;
  widgets::CComboBox4ListCtrl choice_;
  HWND choice_window_ = nullptr;
  MacroWorkingSet set_;
  MacroSteps steps_;
  int current_ = -1;
  bool inserting_ = false;
  bool setting_cycles_ = false;
  int record_delay_ = 0;
  std::size_t step_limit_ = model::MacroRecord::kMaxActions;
};

void MacroPane::Impl::Attach(HWND dialog) {
  StopRecording();
  dialog_ = dialog;
  HWND list = Control(kActionList);
  if (list == nullptr) return;
  if (list_.hwnd() != list) list_.Attach(list);
  list_.SetOwner(dialog);
  list_.ChooseCheckMode(static_cast<int>(widgets::CheckMode::kNone));
  list_.AllowHeaderSort(false);  // the order of the rows is the order of the steps
  list_.AllowCellEditing(true);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  list_.RemoveAllColumns();
  const int dpi = WindowDpi(dialog);
  const std::array<TextKey, 3> titles = {TextKey::MACRO_KEYS_TISHI, TextKey::MACRO_ACTION_TISHI,
                                         TextKey::MACRO_DELAY_MS};
  for (int column = 0; column < 3; ++column) {
    list_.AddColumn(column, Text(titles[static_cast<std::size_t>(column)]), LVCFMT_LEFT,
                    MulDiv(kColumnWidths[static_cast<std::size_t>(column)], dpi, kSkinDpi));
  }
  list_.SetBeginEditCallback([this](HWND, widgets::CReportCtrl& self, DWORD* styles) {
    return OnBeginEdit(self, styles);
  });
  list_.SetEndEditCallback([this](HWND, widgets::CReportCtrl& self, int commit, int* result) {
    return OnEndEdit(self, commit, result);
  });
  list_.SetValidateCallback(
      [this](HWND editor, widgets::CReportCtrl& self) { return OnValidateDelay(editor, self); });
  // The name field holds 249 characters and its terminator.
  SendMessageW(Control(kMacroCombo), CB_LIMITTEXT, model::MacroRecord::kMaxNameLength, 0);
  SendMessageW(Control(kCycles), EM_LIMITTEXT, 3, 0);
}

void MacroPane::Impl::Load() {
  StopRecording();
  record_delay_ =
      host_.Settings()
                  .ReadInt(u"PROFILES", host_.Language().Text(TextKey::MACRO_ACTION_RECORD_DELAY))
                  .value_or(0) == 1
          ? 1
          : 0;
  SendMessageW(Control(kRecordDelay), BM_SETCHECK, record_delay_ == 1 ? BST_CHECKED : BST_UNCHECKED,
               0);
  {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    try {
      set_.Load(edited.macros);
    } catch (const std::bad_alloc&) {
      set_.Clear();
    }
  }
  inserting_ = true;
  SendMessageW(Control(kMacroCombo), CB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < set_.size(); ++i) {
    InsertComboItem(static_cast<int>(i), set_.at(i).Name());
  }
  inserting_ = false;
  current_ = -1;
  steps_.Clear();
  list_.RemoveRows(widgets::kRowAll);
  Refresh(false);
}

bool MacroPane::Impl::SelectMacroById(std::uint16_t id) {
  const int index = set_.IndexOfId(id);
  if (index < 0) return false;
  SendMessageW(Control(kMacroCombo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  OnSelectMacro();
  return true;
}

bool MacroPane::Impl::OnCommand(int id, int code) {
  switch (id) {
    case kMacroCombo:
      if (code == CBN_SELCHANGE) OnSelectMacro();
      if (code == CBN_EDITCHANGE) OnRename();
      return true;
    case kAdd:
      if (code == BN_CLICKED) Add();
      return true;
    case kDelete:
      if (code == BN_CLICKED) Delete();
      return true;
    case kRecord:
      if (code == BN_CLICKED) ToggleRecording();
      if (code == kStepLimitNotice) TellStepLimit();
      return true;
    case kDeleteAction:
      if (code == BN_CLICKED) DeleteStep();
      return true;
    case kClearActions:
      if (code == BN_CLICKED) ClearSteps();
      return true;
    case kMoveTop:
    case kMoveUp:
    case kMoveDown:
    case kMoveBottom:
      if (code == BN_CLICKED) MoveStep(id);
      return true;
    case kRecordDelay:
      if (code == BN_CLICKED) ToggleRecordDelay();
      return true;
    case kCycles:
      if (code == EN_CHANGE) OnCyclesChanged();
      return true;
    case kActionList:
    case kCyclesPrompt:
    case kRecordDelayLabel:
      return true;
    default:
      return false;
  }
}

bool MacroPane::Impl::OnNotify(const NMHDR& header, LRESULT& result) {
  if (static_cast<int>(header.idFrom) != kActionList) return false;
  result = 0;
  if (header.code == LVN_KEYDOWN) {
    const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
    if (key.wVKey == VK_DELETE && !IsRecording()) DeleteStep();
  }
  return true;
}

// ---- macros ------------------------------------------------------------------------------

void MacroPane::Impl::InsertComboItem(int index, std::u16string_view name) {
  const std::wstring text = win32::ToWide(name);
  SendMessageW(Control(kMacroCombo), CB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.c_str()));
}

void MacroPane::Impl::OnSelectMacro() {
  if (current_ != -1) CommitListToMacro(current_);
  current_ = static_cast<int>(SendMessageW(Control(kMacroCombo), CB_GETCURSEL, 0, 0));
  if (!inserting_) Refresh(true);
}

void MacroPane::Impl::CommitListToMacro(int index) {
  if (set_.empty() || index < 0 || static_cast<std::size_t>(index) >= set_.size()) return;
  model::MacroRecord& macro = set_.at(static_cast<std::size_t>(index));
  macro.play_count = ParsePlayCount(win32::FromWide(WindowText(Control(kCycles)))).count;
  const std::size_t count = std::min(steps_.size(), model::MacroRecord::kMaxActions);
  macro.action_count = static_cast<std::uint16_t>(count);
  std::copy_n(steps_.steps().begin(), count, macro.actions.begin());
}

void MacroPane::Impl::Refresh(bool reload) {
  if (set_.empty()) current_ = -1;
  const bool hasMacro = current_ >= 0 && static_cast<std::size_t>(current_) < set_.size();
  if (reload) {
    list_.FinishCellEdit(false);
    CloseChoiceBox();
    list_.RemoveRows(widgets::kRowAll);
    steps_.Clear();
    if (hasMacro) {
      const model::MacroRecord& macro = set_.at(static_cast<std::size_t>(current_));
      SetCyclesText(macro.play_count);
      steps_.Assign(macro.UsedActions());
      HWND list = list_.hwnd();
      SendMessageW(list, WM_SETREDRAW, FALSE, 0);
      for (std::size_t row = 0; row < steps_.size(); ++row) FillRow(static_cast<int>(row));
      SendMessageW(list, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(list, nullptr, TRUE);
    }
  }
  for (int id = kRecord; id <= kMoveBottom; ++id) EnableWindow(Control(id), hasMacro);
}

void MacroPane::Impl::Add() {
  if (set_.size() >= model::kMaxMacros) {
    Ask(host_.Language().Format(TextKey::MACRO_ERR_MAX, {static_cast<int>(model::kMaxMacros)}),
        PromptButtons::kOk);
    return;
  }
  const std::u16string name = set_.NextName(host_.Language().Text(TextKey::MACRO_NEW_PREFIX));
  CommitListToMacro(current_);
  const int index = set_.Create(name, set_.size());
  if (index < 0) return;
  inserting_ = true;
  InsertComboItem(index, set_.at(static_cast<std::size_t>(index)).Name());
  SendMessageW(Control(kMacroCombo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  current_ = index;
  inserting_ = false;
  Refresh(true);
  host_.MarkChanged();
}

void MacroPane::Impl::OnRename() {
  // The pane's own changes of the combo are no typing.
  if (inserting_) return;
  HWND combo = Control(kMacroCombo);
  const std::wstring typed = WindowText(combo);
  const DWORD selection = static_cast<DWORD>(SendMessageW(combo, CB_GETEDITSEL, 0, 0));
  if (!set_.empty()) {
    if (current_ < 0 || static_cast<std::size_t>(current_) >= set_.size()) return;
    CommitListToMacro(current_);
    set_.Rename(static_cast<std::size_t>(current_), win32::FromWide(typed));
    inserting_ = true;
    SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(current_), 0);
    InsertComboItem(current_, set_.at(static_cast<std::size_t>(current_)).Name());
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
    inserting_ = false;
  } else {
    if (typed.empty()) return;
    const int index = set_.Create(win32::FromWide(typed), 0);
    if (index < 0) return;
    inserting_ = true;
    InsertComboItem(index, set_.at(0).Name());
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    current_ = 0;
    inserting_ = false;
    Refresh(true);
  }
  // Re-inserting the item put the caret at the start; the user keeps typing where they were.
  SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(selection), HIWORD(selection)));
  host_.MarkChanged();
}

bool MacroPane::Impl::MayDelete(const model::MacroRecord& macro) {
  // A macro made in this session cannot be on a key yet.
  if (macro.new_mark == 1) return true;
  bool used = false;
  {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    used = edited.profiles && MacroUsedByKeys(*edited.profiles, macro.id);
  }
  if (!used) return true;
  PromptAnswer answer = PromptAnswer::kNo;
  Ask(host_.Language().Text(TextKey::MACRO_DELETE_CONFIRM_OF_KEYS), PromptButtons::kYesNo, &answer);
  return answer == PromptAnswer::kYes;
}

void MacroPane::Impl::Delete() {
  if (set_.empty() || current_ < 0 || static_cast<std::size_t>(current_) >= set_.size()) return;
  if (!MayDelete(set_.at(static_cast<std::size_t>(current_)))) return;
  set_.Remove(static_cast<std::size_t>(current_));
  inserting_ = true;
  HWND combo = Control(kMacroCombo);
  SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(current_), 0);
  current_ = current_ <= 0 ? 0 : current_ - 1;
  if (set_.empty()) current_ = -1;
  // No selection (-1) also empties the edit field.
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
  inserting_ = false;
  Refresh(true);
  if (set_.empty()) SetCyclesText(1);
  host_.MarkChanged();
}

// ---- steps -------------------------------------------------------------------------------

void MacroPane::Impl::FillRow(int row) {
  const model::MacroAction& step = steps_[static_cast<std::size_t>(row)];
  list_.AddRow(row, win32::ToWide(model::KeyName(step.code)));
  list_.SetCellText(row, kDirectionColumn,
                    step.direction == model::kRelease ? kReleaseText : kPressText);
  SetDelayCell(row);
  const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
  list_.SetCellTextColour(row, kKeyColumn, gray, false);
  list_.SetCellTextColour(row, kDirectionColumn, gray, false);
}

void MacroPane::Impl::SetDelayCell(int row) {
  list_.SetCellText(row, kDelayColumn,
                    static_cast<unsigned>(steps_[static_cast<std::size_t>(row)].delay_ms));
}

// Both run once per recorded key event on lists of up to 2000 rows: one message each
// rather than a pass over every row.
int MacroPane::Impl::SelectedRow() const {
  return static_cast<int>(
      SendMessageW(list_.hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void MacroPane::Impl::SelectRow(int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = 0;
  SendMessageW(list_.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&item));
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list_.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
  SendMessageW(list_.hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void MacroPane::Impl::DeleteStep() {
  const int row = SelectedRow();
  if (row < 0) return;
  steps_.Remove(row);
  list_.RemoveRow(row, false);
  host_.MarkChanged();
}

void MacroPane::Impl::ClearSteps() {
  if (steps_.size() == 0) return;
  PromptAnswer answer = PromptAnswer::kNo;
  Ask(host_.Language().Text(TextKey::MACRO_ACTION_CLEAR_CONFIRM), PromptButtons::kYesNo, &answer);
  if (answer != PromptAnswer::kYes) return;
  steps_.Clear();
  list_.RemoveRows(widgets::kRowAll);
  host_.MarkChanged();
}

void MacroPane::Impl::MoveStep(int command) {
  const int row = SelectedRow();
  if (row < 0) return;
  const int last = static_cast<int>(steps_.size()) - 1;
  int target = row;
  if (command == kMoveTop) target = 0;
  if (command == kMoveUp) target = row - 1;
  if (command == kMoveDown) target = row + 1;
  if (command == kMoveBottom) target = last;
  if (target < 0 || target > last || target == row) return;
  steps_.Move(row, target);
  const int placed = list_.MoveRow(row, target);
  SelectRow(placed >= 0 ? placed : target);
  SetFocus(list_.hwnd());
  host_.MarkChanged();
}

void MacroPane::Impl::SetCyclesText(int count) {
  setting_cycles_ = true;
  SetWindowTextW(Control(kCycles), std::to_wstring(count).c_str());
  setting_cycles_ = false;
}

void MacroPane::Impl::OnCyclesChanged() {
  if (setting_cycles_) return;
  HWND cycles = Control(kCycles);
  const TypedPlayCount count = ParsePlayCount(win32::FromWide(WindowText(cycles)));
  if (count.rewrite) {
    SetCyclesText(count.count);
    const int end = GetWindowTextLengthW(cycles);
    SendMessageW(cycles, EM_SETSEL, static_cast<WPARAM>(end), end);
  }
  host_.MarkChanged();
}

void MacroPane::Impl::ToggleRecordDelay() {
  const int wanted = record_delay_ != 1 ? 1 : 0;
  host_.Settings().WriteInt(u"PROFILES", host_.Language().Text(TextKey::MACRO_ACTION_RECORD_DELAY),
                            wanted);
  record_delay_ = wanted;
  SendMessageW(Control(kRecordDelay), BM_SETCHECK, wanted == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- recording ---------------------------------------------------------------------------

void MacroPane::Impl::ToggleRecording() {
  if (IsRecording()) {
    StopRecording();
  } else {
    StartRecording();
  }
}

void MacroPane::Impl::StartRecording() {
  if (current_ < 0 || static_cast<std::size_t>(current_) >= set_.size()) return;
  list_.FinishCellEdit(true);
  CloseChoiceBox();
  CommitListToMacro(current_);
  step_limit_ = RecordingStepLimit(set_.Records(), current_, host_.MacroSpace());
  if (steps_.size() >= step_limit_) {
    TellStepLimit();
    return;
  }
  if (!MacroRecorder::Start(*this)) return;
  SetWindowTextW(Control(kRecord), Text(TextKey::MACRO_ACTION_STOP_RECORD).c_str());
  host_.SetButtonChecked(kRecord, true);
  EnableWindow(Control(kAdd), FALSE);
  EnableWindow(Control(kDelete), FALSE);
  EnableWindow(Control(kMacroCombo), FALSE);
}

void MacroPane::Impl::StopRecording() {
  if (!IsRecording()) return;
  MacroRecorder::Stop();
  if (dialog_ == nullptr || !IsWindow(dialog_)) return;
  SetWindowTextW(Control(kRecord), Text(TextKey::MACRO_ACTION_RECORD).c_str());
  host_.SetButtonChecked(kRecord, false);
  EnableWindow(Control(kAdd), TRUE);
  EnableWindow(Control(kDelete), TRUE);
  EnableWindow(Control(kMacroCombo), TRUE);
}

void MacroPane::Impl::OnRecordedStep(std::uint32_t measuredMs, std::uint16_t code,
                                     std::uint16_t direction) {
  const int row = steps_.InsertRecorded(SelectedRow(), RecordedDelay(record_delay_, measuredMs),
                                        code, direction, step_limit_);
  if (row >= 0) {
    FillRow(row);
    if (row > 0) SetDelayCell(row - 1);
    SelectRow(row);
    host_.MarkChanged();
  }
  if (steps_.size() >= step_limit_) {
    // Full: stop here and say so once the hook has returned.
    StopRecording();
    PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(kRecord, kStepLimitNotice),
                 reinterpret_cast<LPARAM>(Control(kRecord)));
  }
}

void MacroPane::Impl::TellStepLimit() {
  const std::u16string text =
      FormatText(kStepLimitText, kStepLimitText, {static_cast<int>(step_limit_)});
  Ask(text, PromptButtons::kOk);
}

// ---- in-place editing --------------------------------------------------------------------

int MacroPane::Impl::OnBeginEdit(widgets::CReportCtrl& list, DWORD* extraStyles) {
  const int row = list.GetEditRow();
  const int column = list.GetEditColumn();
  if (row < 0 || static_cast<std::size_t>(row) >= steps_.size()) return 0;
  const model::MacroAction& step = steps_[static_cast<std::size_t>(row)];
  if (column == kKeyColumn) {
    std::vector<std::wstring> names;
    for (std::uint16_t id = 0; id < model::kKeyListSize; ++id) {
      names.push_back(win32::ToWide(model::KeyListName(id)));
    }
    const std::uint16_t listId = model::KeyListIdOfCode(step.code);
    OpenChoiceBox(row, column, names, listId < model::kKeyListSize ? listId : -1);
    return 0;
  }
  if (column == kDirectionColumn) {
    OpenChoiceBox(row, column, {kPressText, kReleaseText},
                  step.direction == model::kRelease ? 1 : 0);
    return 0;
  }
  if (column == kDelayColumn) {
    StopRecording();
    *extraStyles |= ES_NUMBER;
    return 1;
  }
  Ask(host_.Language().Text(TextKey::MACRO_ACTION_ERR_MODIFY), PromptButtons::kOk);
  return 0;
}

void MacroPane::Impl::OpenChoiceBox(int row, int column, const std::vector<std::wstring>& items,
                                    int selected) {
  CloseChoiceBox();
  HWND list = list_.hwnd();
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_LABEL;
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  const int dpi = WindowDpi(list);
  cell.bottom = cell.top + MulDiv(kCellListHeight, dpi, kSkinDpi);
  // Wide enough for the key names, whatever the column's width.
  cell.right = std::max<LONG>(cell.right, cell.left + MulDiv(110, dpi, kSkinDpi));
  if (!choice_.Create(list, cell, 0, CBS_DROPDOWNLIST | WS_VSCROLL)) return;
  choice_window_ = choice_.hwnd();
  SendMessageW(choice_window_, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
  for (const std::wstring& item : items) {
    SendMessageW(choice_window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageW(choice_window_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  choice_.SetTarget(list, WM_KEYDOWN, VK_RETURN, widgets::kEnterKeyDownLParam);
  SetFocus(choice_window_);
  SendMessageW(choice_window_, CB_SHOWDROPDOWN, TRUE, 0);
}

void MacroPane::Impl::CloseChoiceBox() {
  if (choice_window_ == nullptr) return;
  HWND window = choice_window_;
  choice_window_ = nullptr;
  if (IsWindow(window)) DestroyWindow(window);
}

int MacroPane::Impl::OnEndEdit(widgets::CReportCtrl& list, int commit, int* result) {
  const int row = list.GetEditRow();
  const int column = list.GetEditColumn();
  if (column == kDelayColumn) return 1;  // the list's own editor; OnValidateDelay stores it
  *result = 0;
  if (choice_window_ == nullptr) return 0;
  const int chosen = static_cast<int>(SendMessageW(choice_window_, CB_GETCURSEL, 0, 0));
  CloseChoiceBox();
  SetFocus(list.hwnd());
  if (commit == 0 || chosen < 0 || row < 0 || static_cast<std::size_t>(row) >= steps_.size()) {
    return 0;
  }
  const model::MacroAction& step = steps_[static_cast<std::size_t>(row)];
  if (column == kKeyColumn) {
    const auto listId = static_cast<std::uint16_t>(chosen);
    if (listId >= model::kKeyListSize || listId == model::KeyListIdOfCode(step.code)) return 0;
    const std::uint16_t code = model::KeyListCode(listId);
    if (code == 0) return 0;
    steps_.SetCode(row, code);
    list.SetCellText(row, kKeyColumn, win32::ToWide(model::KeyName(code)));
  } else if (column == kDirectionColumn) {
    const auto direction = static_cast<std::uint16_t>(chosen);
    if (direction == step.direction) return 0;
    steps_.SetDirection(row, direction);
    list.SetCellText(row, kDirectionColumn,
                     direction == model::kRelease ? kReleaseText : kPressText);
  } else {
    return 0;
  }
  *result = 1;
  host_.MarkChanged();
  return 0;
}

int MacroPane::Impl::OnValidateDelay(HWND editor, widgets::CReportCtrl& list) {
  const int row = list.GetEditRow();
  if (row < 0 || static_cast<std::size_t>(row) >= steps_.size()) return 0;
  const TypedDelay delay = ParseTypedDelay(win32::FromWide(WindowText(editor)));
  if (delay.aboveLimit) {
    Ask(host_.Language().Format(TextKey::MACRO_ACTION_ERR_DELAY_MAX,
                                {static_cast<int>(kMaxTypedDelayMs)}),
        PromptButtons::kOk);
  }
  SetWindowTextW(editor, std::to_wstring(delay.ms).c_str());
  steps_.SetDelay(row, delay.ms);
  host_.MarkChanged();
  return 1;
}

// ---- commit and close --------------------------------------------------------------------

bool MacroPane::Impl::Commit() {
  list_.FinishCellEdit(true);
  CloseChoiceBox();
  StopRecording();
  CommitListToMacro(current_);
  std::vector<model::MacroRecord> library;
  try {
    library = set_.CopyLibrary();
  } catch (const std::bad_alloc&) {
    return false;
  }
  MacroKeyReconciliation reconciled;
  {
    model::EditedConfig& edited = model::TheEditedConfig();
    std::lock_guard lock(edited.mutex());
    if (edited.profiles) reconciled = ReconcileMacroKeys(*edited.profiles, set_.Records());
    edited.macros = std::move(library);
  }
  set_.ClearNewMarks();
  for (const std::size_t record : reconciled.resetRecords) {
    host_.RefreshKeyButton(static_cast<int>(record / model::kSlotsPerProfile),
                           static_cast<std::uint16_t>(record % model::kSlotsPerProfile));
  }
  if (reconciled.changed) host_.SetMainApplyEnabled();
  return true;
}

void MacroPane::Impl::Close() {
  StopRecording();
  list_.FinishCellEdit(false);
  CloseChoiceBox();
  if (list_.hwnd() != nullptr && IsWindow(list_.hwnd())) list_.RemoveRows(widgets::kRowAll);
  steps_.Clear();
  set_.Clear();
  current_ = -1;
  record_delay_ = 0;
}

void MacroPane::Impl::Show(bool visible) {
  if (!visible) {
    list_.FinishCellEdit(true);
    CloseChoiceBox();
  }
  for (const int id : kPaneControls) ShowWindow(Control(id), visible ? SW_SHOW : SW_HIDE);
}

// ---- MacroPane ---------------------------------------------------------------------------

MacroPane::MacroPane(MacroPaneHost& host) : impl_(std::make_unique<Impl>(host)) {}
MacroPane::~MacroPane() = default;

void MacroPane::Attach(HWND dialog) {
  impl_->Attach(dialog);
}
void MacroPane::Load() {
  impl_->Load();
}
bool MacroPane::SelectMacroById(std::uint16_t id) {
  return impl_->SelectMacroById(id);
}
std::uint16_t MacroPane::CurrentMacroId() const {
  return impl_->CurrentMacroId();
}
bool MacroPane::HasMacros() const {
  return impl_->HasMacros();
}
bool MacroPane::OnCommand(int id, int notificationCode) {
  return impl_->OnCommand(id, notificationCode);
}
bool MacroPane::OnNotify(const NMHDR& header, LRESULT& result) {
  return impl_->OnNotify(header, result);
}
bool MacroPane::Commit() {
  return impl_->Commit();
}
void MacroPane::Close() {
  impl_->Close();
}
void MacroPane::StopRecording() {
  impl_->StopRecording();
}
bool MacroPane::IsRecording() const {
  return impl_->IsRecording();
}
void MacroPane::Show(bool visible) {
  impl_->Show(visible);
}

}  // namespace tarvolin::dialogs
