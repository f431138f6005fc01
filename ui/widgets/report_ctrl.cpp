#include "ui/widgets/report_ctrl.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/skin/wide_text.h"
#include "ui/widgets/message_reflection.h"
#include "ui/widgets/row_sort.h"

namespace tarvolin::widgets {
namespace {

// Texts compared by FindRowByText are cut to this many characters, as a cell buffer is.
constexpr std::size_t kCompareChars = 259;
// A cell image pushes the editor this far right in columns other than the first.
constexpr int kCellImageWidth = 16;

std::wstring TextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
  return text;
}

UINT StateImage(bool checked) {
  return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}

}  // namespace

// Sets the owner's selection guard while the list changes selection or checks itself, so
// the owner can tell those changes from the user's.
class CReportCtrl::GuardScope {
 public:
  explicit GuardScope(int* guard) : guard_(guard), previous_(guard != nullptr ? *guard : 0) {
    if (guard_ != nullptr) *guard_ = 1;
  }
  GuardScope(const GuardScope&) = delete;
  GuardScope& operator=(const GuardScope&) = delete;
  ~GuardScope() {
    if (guard_ != nullptr) *guard_ = previous_;
  }

 private:
  int* guard_;
  int previous_;
};

struct CReportCtrl::RowSnapshot {
  std::vector<std::wstring> texts;
  std::vector<int> images;
  LPARAM record = 0;
  UINT state = 0;
};

// The in-place editor: Enter commits, Escape cancels, Tab is swallowed, and losing the
// focus to another window commits.
class CReportCtrl::EditorWindow : public SubclassedWindow {
 public:
  explicit EditorWindow(CReportCtrl& list) : list_(list) {}
  bool Take(HWND edit) { return Subclass(edit); }
  bool in_kill_focus() const { return in_kill_focus_; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_GETDLGCODE:
        return CallDefault(message, wParam, lParam) | DLGC_WANTALLKEYS;
      case WM_KEYDOWN:
        if (list_.HandleEditKey(wParam)) return 0;
        break;
      case WM_CHAR:
        if (wParam == L'\t' || wParam == L'\r' || wParam == 0x1B) return 0;
        break;
      case WM_KILLFOCUS: {
        HWND next = reinterpret_cast<HWND>(wParam);
        if (list_.edit_row_ >= 0 && next != list_.hwnd() && !IsChild(list_.hwnd(), next)) {
          in_kill_focus_ = true;
          list_.FinishCellEdit(true);
          in_kill_focus_ = false;
        }
        break;
      }
      default:
        break;
    }
    return SubclassedWindow::WindowProc(message, wParam, lParam);
  }

 private:
  CReportCtrl& list_;
  bool in_kill_focus_ = false;
};

CReportCtrl::CReportCtrl() = default;

CReportCtrl::~CReportCtrl() {
  if (IsAttached()) {
    TearDown();
    Detach();
  }
  records_.clear();
}

bool CReportCtrl::Create(HWND parent, const RECT& rect, int id, DWORD style) {
  style &= ~static_cast<DWORD>(LVS_NOSCROLL | LVS_EDITLABELS | LVS_TYPEMASK);
  style |= WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | LVS_REPORT;
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (list == nullptr) return false;
  if (!Attach(list)) {
    DestroyWindow(list);
    return false;
  }
  return true;
}

bool CReportCtrl::Attach(HWND list) {
  if (!Subclass(list)) return false;
  RequestReflection(list);
  // The list keeps its image lists itself and releases them when it goes.
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  SetWindowLongPtrW(list, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
  return true;
}

// ---- records -------------------------------------------------------------------------

CReportCtrl::RowRecord* CReportCtrl::RecordOf(int row) const {
  if (!ValidRow(row)) return nullptr;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  auto* record = reinterpret_cast<RowRecord*>(item.lParam);
  return records_.count(record) != 0 ? record : nullptr;
}

CReportCtrl::RowRecord* CReportCtrl::NewRecord() {
  auto record = std::make_unique<RowRecord>();
  const auto columns = static_cast<std::size_t>(std::max(ColumnCount(), 0));
  record->text_colours.assign(columns, GetSysColor(COLOR_WINDOWTEXT));
  record->fill_colours.assign(columns, GetSysColor(COLOR_WINDOW));
  RowRecord* raw = record.get();
  records_.emplace(raw, std::move(record));
  return raw;
}

void CReportCtrl::FreeRecord(RowRecord* record) {
  records_.erase(record);
}

void CReportCtrl::FreeAllRecords() {
  records_.clear();
}

// ---- columns -------------------------------------------------------------------------

int CReportCtrl::ColumnCount() const {
  if (hwnd() == nullptr) return 0;
  HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd(), LVM_GETHEADER, 0, 0));
  if (header == nullptr) return 0;
  return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

int CReportCtrl::AddColumn(int position, const std::wstring& title, int format, int width,
                           int subitem) {
  if (hwnd() == nullptr) return -1;
  FinishCellEdit(true);
  const int count = ColumnCount();
  if (position < 0 || position > count) position = count;
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(title.c_str());
  if (subitem >= 0) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = subitem;
  }
  const auto index = static_cast<int>(
      SendMessageW(hwnd(), LVM_INSERTCOLUMNW, position, reinterpret_cast<LPARAM>(&column)));
  if (index < 0) return -1;
  for (auto& [raw, record] : records_) {
    const auto at = static_cast<std::size_t>(index);
    if (at <= record->text_colours.size()) {
      record->text_colours.insert(record->text_colours.begin() + index,
                                  GetSysColor(COLOR_WINDOWTEXT));
      record->fill_colours.insert(record->fill_colours.begin() + index, GetSysColor(COLOR_WINDOW));
    }
  }
  return index;
}

bool CReportCtrl::RemoveColumn(int position) {
  FinishCellEdit(true);
  if (!ValidColumn(position)) return false;
  if (!SendMessageW(hwnd(), LVM_DELETECOLUMN, position, 0)) return false;
  for (auto& [raw, record] : records_) {
    const auto at = static_cast<std::size_t>(position);
    if (at < record->text_colours.size()) {
      record->text_colours.erase(record->text_colours.begin() + position);
      record->fill_colours.erase(record->fill_colours.begin() + position);
    }
  }
  return true;
}

void CReportCtrl::RemoveAllColumns() {
  while (ColumnCount() > 0) {
    if (!RemoveColumn(ColumnCount() - 1)) break;
  }
}

// ---- rows ----------------------------------------------------------------------------

int CReportCtrl::RowCount() const {
  if (hwnd() == nullptr) return 0;
  return static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0));
}

int CReportCtrl::AddRow(int position, const std::wstring& text, int image, std::uint32_t rowValue) {
  if (hwnd() == nullptr) return -1;
  FinishCellEdit(true);
  const int count = RowCount();
  if (position < 0 || position > count) position = count;
  RowRecord* record = NewRecord();
  record->value = rowValue;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = position;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.lParam = reinterpret_cast<LPARAM>(record);
  if (image >= 0) {
    item.mask |= LVIF_IMAGE;
    item.iImage = image;
  }
  const auto index =
      static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0) FreeRecord(record);
  return index;
}

bool CReportCtrl::RemoveRow(int row, bool selectNeighbour) {
  FinishCellEdit(true);
  if (!ValidRow(row)) return false;
  const int count = RowCount();
  RowRecord* record = RecordOf(row);
  // After the deletion the next row has this row's number; the last row's neighbour is the
  // one before it.
  const int neighbour = row + 1 < count ? row : row - 1;
  if (!SendMessageW(hwnd(), LVM_DELETEITEM, row, 0)) return false;
  if (record != nullptr) FreeRecord(record);
  if (selectNeighbour && neighbour >= 0) SelectOnly(neighbour);
  return true;
}

int CReportCtrl::RemoveRows(unsigned filter) {
  FinishCellEdit(true);
  int removed = 0;
  SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  if ((filter & kRowAll) != 0) {
    removed = RowCount();
    SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
    FreeAllRecords();
  } else {
    for (int row = RowCount() - 1; row >= 0; --row) {
      if (!RowMatches(row, filter)) continue;
      RowRecord* record = RecordOf(row);
      if (SendMessageW(hwnd(), LVM_DELETEITEM, row, 0)) {
        if (record != nullptr) FreeRecord(record);
        ++removed;
      }
    }
  }
  SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
  return removed;
}

// ---- cells ---------------------------------------------------------------------------

bool CReportCtrl::SetCellText(int row, int column, const std::wstring& text) {
  if (!ValidRow(row) || !(column == 0 || ValidColumn(column))) return false;
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return SendMessageW(hwnd(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CReportCtrl::SetCellText(int row, int column, int value) {
  return SetCellText(row, column, std::to_wstring(value));
}

bool CReportCtrl::SetCellText(int row, int column, unsigned value) {
  return SetCellText(row, column, std::to_wstring(value));
}

std::wstring CReportCtrl::GetCellText(int row, int column) const {
  if (!ValidRow(row) || column < 0) return {};
  std::wstring buffer(260, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto length = static_cast<std::size_t>(
        SendMessageW(hwnd(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
      buffer.resize(std::min(length, buffer.size()));
      return buffer;
    }
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

bool CReportCtrl::SetCellImage(int row, int column, int image) {
  if (!ValidRow(row) || column < 0) return false;
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = column;
  item.iImage = image;
  return SendMessageW(hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CReportCtrl::SetColour(int row, int column, COLORREF colour, bool text, bool redraw) {
  if (colour == kSystemColour) colour = GetSysColor(text ? COLOR_WINDOWTEXT : COLOR_WINDOW);
  const int rows = RowCount();
  const int columns = ColumnCount();
  // Out of range means every row or every column.
  const int firstRow = ValidRow(row) ? row : 0;
  const int lastRow = ValidRow(row) ? row : rows - 1;
  for (int r = firstRow; r <= lastRow; ++r) {
    RowRecord* record = RecordOf(r);
    if (record == nullptr) continue;
    auto& colours = text ? record->text_colours : record->fill_colours;
    for (int c = 0; c < columns && c < static_cast<int>(colours.size()); ++c) {
      if (ValidColumn(column) && c != column) continue;
      colours[static_cast<std::size_t>(c)] = colour;
    }
  }
  if (redraw && rows > 0) {
    SendMessageW(hwnd(), LVM_REDRAWITEMS, firstRow, lastRow);
    UpdateWindow(hwnd());
  }
  return true;
}

bool CReportCtrl::SetCellTextColour(int row, int column, COLORREF colour, bool redraw) {
  return SetColour(row, column, colour, true, redraw);
}

bool CReportCtrl::SetCellFillColour(int row, int column, COLORREF colour, bool redraw) {
  return SetColour(row, column, colour, false, redraw);
}

COLORREF CReportCtrl::GetCellTextColour(int row, int column) const {
  const RowRecord* record = RecordOf(row);
  if (record == nullptr || column < 0 ||
      static_cast<std::size_t>(column) >= record->text_colours.size()) {
    return kSystemColour;
  }
  return record->text_colours[static_cast<std::size_t>(column)];
}

COLORREF CReportCtrl::GetCellFillColour(int row, int column) const {
  const RowRecord* record = RecordOf(row);
  if (record == nullptr || column < 0 ||
      static_cast<std::size_t>(column) >= record->fill_colours.size()) {
    return kSystemColour;
  }
  return record->fill_colours[static_cast<std::size_t>(column)];
}

bool CReportCtrl::SetRowValue(int row, std::uint32_t value) {
  RowRecord* record = RecordOf(row);
  if (record == nullptr) return false;
  record->value = value;
  return true;
}

std::uint32_t CReportCtrl::GetRowValue(int row) const {
  const RowRecord* record = RecordOf(row);
  return record != nullptr ? record->value : 0;
}

// ---- states --------------------------------------------------------------------------

bool CReportCtrl::IsChecked(int row) const {
  const auto state =
      static_cast<UINT>(SendMessageW(hwnd(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
  return (state & LVIS_STATEIMAGEMASK) == StateImage(true);
}

bool CReportCtrl::SetItemState(int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  return SendMessageW(hwnd(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CReportCtrl::SetCheck(int row, bool checked) {
  const bool ok = SetItemState(row, StateImage(checked), LVIS_STATEIMAGEMASK);
  if (check_changed_) check_changed_(row, *this);
  return ok;
}

void CReportCtrl::SelectOnly(int row) {
  GuardScope guard(selection_guard_);
  for (int other = FindNextRow(kRowSelected, -1); other >= 0;
       other = FindNextRow(kRowSelected, other)) {
    SetItemState(other, 0, LVIS_SELECTED);
  }
  SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

unsigned CReportCtrl::GetRowStates(int row) const {
  if (!ValidRow(row)) return 0;
  const auto state =
      static_cast<UINT>(SendMessageW(hwnd(), LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_FOCUSED));
  return MakeRowState((state & LVIS_SELECTED) != 0, IsChecked(row), (state & LVIS_FOCUSED) != 0);
}

bool CReportCtrl::RowMatches(int row, unsigned filter) const {
  if (!ValidRow(row)) return false;
  return widgets::RowMatches(GetRowStates(row), filter);
}

bool CReportCtrl::ApplyRowStates(int row, unsigned flags) {
  if (!ValidRow(row)) return false;
  GuardScope guard(selection_guard_);
  bool ok = true;
  if ((flags & kRowSelected) != 0) ok = SetItemState(row, LVIS_SELECTED, LVIS_SELECTED) && ok;
  if ((flags & kRowUnselected) != 0) ok = SetItemState(row, 0, LVIS_SELECTED) && ok;
  if ((flags & (kRowChecked | kRowUnchecked)) != 0 && check_mode_ == CheckMode::kNone) {
    ok = false;  // there are no check boxes to set
  } else {
    if ((flags & kRowChecked) != 0) {
      if (check_mode_ == CheckMode::kSingle) {
        for (int other = 0; other < RowCount(); ++other) {
          if (other != row && IsChecked(other)) ok = SetCheck(other, false) && ok;
        }
      }
      ok = SetCheck(row, true) && ok;
    }
    if ((flags & kRowUnchecked) != 0) ok = SetCheck(row, false) && ok;
  }
  if ((flags & kRowFocused) != 0) ok = SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED) && ok;
  if ((flags & kRowUnfocused) != 0) ok = SetItemState(row, 0, LVIS_FOCUSED) && ok;
  return ok;
}

int CReportCtrl::ApplyStatesToRows(unsigned filter, unsigned flags) {
  int count = 0;
  for (int row = 0; row < RowCount(); ++row) {
    if (!RowMatches(row, filter)) continue;
    ApplyRowStates(row, flags);
    ++count;
  }
  return count;
}

int CReportCtrl::CountRows(unsigned filter) const {
  if ((filter & kRowAll) != 0) return RowCount();
  int count = 0;
  for (int row = 0; row < RowCount(); ++row) {
    if (RowMatches(row, filter)) ++count;
  }
  return count;
}

int CReportCtrl::FindNextRow(unsigned filter, int after) const {
  for (int row = after < 0 ? 0 : after + 1; row < RowCount(); ++row) {
    if (RowMatches(row, filter)) return row;
  }
  return -1;
}

int CReportCtrl::FindPrevRow(unsigned filter, int before) const {
  const int count = RowCount();
  for (int row = (before < 0 || before > count) ? count - 1 : before - 1; row >= 0; --row) {
    if (RowMatches(row, filter)) return row;
  }
  return -1;
}

int CReportCtrl::FindRowByText(const std::wstring& text) const {
  const std::wstring wanted = text.substr(0, kCompareChars);
  for (int row = 0; row < RowCount(); ++row) {
    const std::wstring cell = GetCellText(row, 0).substr(0, kCompareChars);
    if (CompareStringOrdinal(cell.c_str(), static_cast<int>(cell.size()), wanted.c_str(),
                             static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL) {
      return row;
    }
  }
  return -1;
}

// ---- modes ---------------------------------------------------------------------------

bool CReportCtrl::ChooseCheckMode(int mode) {
  if (mode < 0 || mode > 3) return false;
  FinishCellEdit(true);
  check_mode_ = static_cast<CheckMode>(mode);
  SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES,
               mode != 0 ? LVS_EX_CHECKBOXES : 0);
  if (check_mode_ == CheckMode::kSingle) {
    GuardScope guard(selection_guard_);
    bool seen = false;
    for (int row = 0; row < RowCount(); ++row) {
      if (!IsChecked(row)) continue;
      if (seen) SetCheck(row, false);
      seen = true;
    }
  }
  return true;
}

void CReportCtrl::AllowCellEditing(bool on) {
  if (!on) FinishCellEdit(true);
  editable_ = on;
}

void CReportCtrl::ShowGridLines(bool on) {
  SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, on ? LVS_EX_GRIDLINES : 0);
}

void CReportCtrl::SetRowImageList(HIMAGELIST images) {
  FinishCellEdit(true);
  SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  if (row_images_ != nullptr && row_images_ != images) ImageList_Destroy(row_images_);
  row_images_ = images;
}

void CReportCtrl::SetHeaderImageList(HIMAGELIST images) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd(), LVM_GETHEADER, 0, 0));
  if (header != nullptr) {
    SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  }
  if (header_images_ != nullptr && header_images_ != images) ImageList_Destroy(header_images_);
  header_images_ = images;
}

// ---- moving and sorting --------------------------------------------------------------

CReportCtrl::RowSnapshot CReportCtrl::TakeRow(int row) const {
  RowSnapshot snapshot;
  const int columns = std::max(ColumnCount(), 1);
  for (int column = 0; column < columns; ++column) {
    snapshot.texts.push_back(GetCellText(row, column));
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.iImage = -1;
    if (column == 0) {
      item.mask |= LVIF_PARAM | LVIF_STATE;
      item.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK;
    }
    SendMessageW(hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    snapshot.images.push_back(item.iImage);
    if (column == 0) {
      snapshot.record = item.lParam;
      snapshot.state = item.state & (LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
    }
  }
  return snapshot;
}

void CReportCtrl::PutRow(int row, const RowSnapshot& snapshot) {
  for (std::size_t column = 0; column < snapshot.texts.size(); ++column) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = static_cast<int>(column);
    item.pszText = const_cast<wchar_t*>(snapshot.texts[column].c_str());
    item.iImage = snapshot.images[column];
    if (column == 0) {
      item.mask |= LVIF_PARAM;
      item.lParam = snapshot.record;
    }
    SendMessageW(hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  SetItemState(row, snapshot.state, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
}

bool CReportCtrl::SwapRows(int first, int second) {
  FinishCellEdit(true);
  if (!ValidRow(first) || !ValidRow(second)) return false;
  if (first == second) return true;
  GuardScope guard(selection_guard_);
  const RowSnapshot a = TakeRow(first);
  const RowSnapshot b = TakeRow(second);
  PutRow(first, b);
  PutRow(second, a);
  return true;
}

int CReportCtrl::MoveRow(int from, int to) {
  FinishCellEdit(true);
  if (!ValidRow(from)) return -1;
  const int last = RowCount() - 1;
  to = std::clamp(to, 0, last);
  if (to == from) return from;
  GuardScope guard(selection_guard_);
  const RowSnapshot snapshot = TakeRow(from);
  SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  // The record travels with the snapshot, so deleting the item frees nothing.
  SendMessageW(hwnd(), LVM_DELETEITEM, from, 0);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = to;
  item.pszText = const_cast<wchar_t*>(L"");
  item.lParam = snapshot.record;
  const auto placed =
      static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (placed >= 0) PutRow(placed, snapshot);
  SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
  return placed;
}

bool CReportCtrl::SortRows(int first, int last) {
  FinishCellEdit(true);
  if (!ValidColumn(sort_column_)) return false;
  const int count = RowCount();
  first = std::max(first, 0);
  last = std::min(last, count - 1);
  if (first >= last) return first == last;
  std::vector<std::u16string> keys;
  keys.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) keys.push_back(skin::ToU16(GetCellText(row, sort_column_)));
  const std::vector<int> order = SortedRowOrder(keys, first, last, sort_ascending_);
  std::vector<RowSnapshot> snapshots;
  snapshots.reserve(order.size());
  for (int row = first; row <= last; ++row) snapshots.push_back(TakeRow(row));
  GuardScope guard(selection_guard_);
  SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  for (std::size_t i = 0; i < order.size(); ++i) {
    PutRow(first + static_cast<int>(i), snapshots[static_cast<std::size_t>(order[i] - first)]);
  }
  SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
  return true;
}

bool CReportCtrl::SortByColumn(int column, bool ascending) {
  if (!ValidColumn(column)) return false;
  if (before_sort_) before_sort_(hwnd(), *this);
  FinishCellEdit(true);
  sort_column_ = column;
  sort_ascending_ = ascending;
  std::vector<std::u16string> keys;
  for (int row = 0; row < RowCount(); ++row) keys.push_back(skin::ToU16(GetCellText(row, column)));
  std::optional<std::u16string> separator;
  if (separator_) separator = skin::ToU16(*separator_);
  for (const RowRun& run : SplitIntoRuns(keys, separator)) SortRows(run.first, run.last);
  SendToParent(kReportMsgSorted, static_cast<WPARAM>(column), ascending ? 1 : 0);
  if (after_sort_) after_sort_(hwnd(), *this);
  return true;
}

// ---- editing -------------------------------------------------------------------------

int CReportCtrl::BeginCellEdit(int row, int column) {
  if (!editable_ || !ValidRow(row) || !ValidColumn(column)) return 0;
  if (row == edit_row_ && column == edit_column_) return 1;
  FinishCellEdit(true);
  edit_row_ = row;
  edit_column_ = column;
  SelectOnly(row);

  DWORD extraStyles = 0;
  if (begin_edit_ && begin_edit_(hwnd(), *this, &extraStyles) == 0) return 1;

  LVCOLUMNW format{};
  format.mask = LVCF_FMT;
  SendMessageW(hwnd(), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&format));
  int alignment = ES_LEFT;
  if ((format.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT) alignment = ES_RIGHT;
  if ((format.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER) alignment = ES_CENTER;
  if (editor_ == nullptr || alignment != editor_alignment_) {
    DestroyEditor();
    editor_ = CreateWindowExW(0, L"EDIT", L"",
                              WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL |
                                  static_cast<DWORD>(alignment) | extraStyles,
                              0, 0, 0, 0, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (editor_ == nullptr) {
      edit_row_ = edit_column_ = -1;
      return 0;
    }
    editor_window_ = std::make_unique<EditorWindow>(*this);
    editor_window_->Take(editor_);
    editor_alignment_ = alignment;
  }
  SendMessageW(editor_, WM_SETFONT, SendMessageW(hwnd(), WM_GETFONT, 0, 0), FALSE);
  SendMessageW(hwnd(), LVM_ENSUREVISIBLE, row, FALSE);
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_LABEL;
  SendMessageW(hwnd(), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  if (column != 0 && SendMessageW(hwnd(), LVM_GETIMAGELIST, LVSIL_SMALL, 0) != 0) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.iImage = -1;
    SendMessageW(hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (item.iImage >= 0) cell.left += kCellImageWidth;
  }
  MoveWindow(editor_, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, TRUE);
  const std::wstring text = GetCellText(row, column);
  SetWindowTextW(editor_, text.c_str());
  ShowWindow(editor_, SW_SHOW);
  SendMessageW(editor_, EM_SETSEL, 0, -1);
  SendMessageW(editor_, EM_SCROLLCARET, 0, 0);
  SetFocus(editor_);
  SendMessageW(editor_, EM_LIMITTEXT, kEditorLimit, 0);
  return 1;
}

int CReportCtrl::FinishCellEdit(bool commit) {
  if (finishing_ || edit_row_ < 0) return 0;
  if (end_edit_) {
    int result = 0;
    finishing_ = true;
    const int handled = end_edit_(hwnd(), *this, commit ? 1 : 0, &result);
    finishing_ = false;
    if (handled == 0) {
      edit_row_ = edit_column_ = -1;
      return result;
    }
  }
  if (editor_ == nullptr || !IsWindowVisible(editor_)) {
    // The owner edited this cell by other means and did not end it itself.
    edit_row_ = edit_column_ = -1;
    return 0;
  }
  finishing_ = true;
  const int row = edit_row_;
  const int column = edit_column_;
  std::wstring text = TextOf(editor_);
  const bool changed = commit && text != GetCellText(row, column);
  if (changed) {
    int accepted = 1;
    if (validate_) {
      accepted = validate_(editor_, *this);
      text = TextOf(editor_);
    }
    if (accepted != 0) {
      SetCellText(row, column, text);
      SendMessageW(hwnd(), LVM_REDRAWITEMS, row, row);
      SendToParent(kReportMsgCellEdited, static_cast<WPARAM>(row), column);
    }
  }
  const bool fromKillFocus = editor_window_ && editor_window_->in_kill_focus();
  if (!fromKillFocus && GetFocus() == editor_) SetFocus(hwnd());
  ShowWindow(editor_, SW_HIDE);
  edit_row_ = edit_column_ = -1;
  finishing_ = false;
  return changed ? 1 : 0;
}

bool CReportCtrl::HandleEditKey(WPARAM key) {
  if (edit_row_ < 0) return false;
  switch (key) {
    case VK_TAB:
      return true;
    case VK_RETURN:
      FinishCellEdit(true);
      return true;
    case VK_ESCAPE:
      FinishCellEdit(false);
      return true;
    default:
      return false;
  }
}

void CReportCtrl::DestroyEditor() {
  editor_window_.reset();
  if (editor_ != nullptr && IsWindow(editor_)) DestroyWindow(editor_);
  editor_ = nullptr;
}

// ---- window --------------------------------------------------------------------------

void CReportCtrl::SendToParent(UINT message, WPARAM wParam, LPARAM lParam) {
  SendMessageW(GetParent(hwnd()), message, wParam, lParam);
}

void CReportCtrl::TearDown() {
  edit_row_ = edit_column_ = -1;
  if (hwnd() != nullptr && IsWindow(hwnd())) {
    SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, 0);
  }
  FreeAllRecords();
  DestroyEditor();
  SetHeaderImageList(nullptr);
  if (row_images_ != nullptr) ImageList_Destroy(row_images_);
  row_images_ = nullptr;
}

void CReportCtrl::OnWindowDestroyed() {
  editor_window_.reset();
  editor_ = nullptr;
  FreeAllRecords();
  if (row_images_ != nullptr) ImageList_Destroy(row_images_);
  if (header_images_ != nullptr) ImageList_Destroy(header_images_);
  row_images_ = header_images_ = nullptr;
}

LRESULT CReportCtrl::HandleCustomDraw(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      auto* record = reinterpret_cast<RowRecord*>(draw.nmcd.lItemlParam);
      const auto column = static_cast<std::size_t>(draw.iSubItem);
      if (records_.count(record) != 0 && column < record->text_colours.size()) {
        draw.clrText = record->text_colours[column];
        draw.clrTextBk = record->fill_colours[column];
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void CReportCtrl::HandleClick(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  SendMessageW(hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  const int row = hit.iItem;
  const int column = hit.iSubItem;
  const bool validRow = ValidRow(row);
  const bool wasChecked = validRow && IsChecked(row);
  const bool wasEditing = edit_row_ >= 0;
  const unsigned before = validRow ? GetRowStates(row) : 0;
  const bool wasSelectedAndFocused =
      (before & (kRowSelected | kRowFocused)) == (kRowSelected | kRowFocused);

  FinishCellEdit(true);
  result = CallDefault(message, wParam, lParam);
  if (!validRow || hwnd() == nullptr || !ValidRow(row)) return;

  // A click on any cell of a row selects the row, not only one on its first column.
  if ((wParam & (MK_CONTROL | MK_SHIFT)) == 0 && !RowMatches(row, kRowSelected)) {
    for (int other = FindNextRow(kRowSelected, -1); other >= 0;
         other = FindNextRow(kRowSelected, other)) {
      SetItemState(other, 0, LVIS_SELECTED);
    }
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  const bool nowChecked = IsChecked(row);
  if (check_mode_ != CheckMode::kNone && nowChecked != wasChecked) {
    GuardScope guard(selection_guard_);
    if (check_mode_ == CheckMode::kClickSets) {
      // The click's own toggle is undone: the box keeps the state it had.
      SetItemState(row, StateImage(wasChecked), LVIS_STATEIMAGEMASK);
      return;
    }
    if (check_mode_ == CheckMode::kSingle && nowChecked) {
      for (int other = 0; other < RowCount(); ++other) {
        if (other != row && IsChecked(other)) SetCheck(other, false);
      }
    }
    SetCheck(row, nowChecked);
    SelectOnly(row);
    SendToParent(kReportMsgCheckClick, static_cast<WPARAM>(row), static_cast<LPARAM>(message));
    return;
  }
  if (editable_ && !wasEditing && wasSelectedAndFocused) BeginCellEdit(row, column);
}

LRESULT CReportCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (message == WM_COMMAND || message == WM_NOTIFY) {
    // Children of the list (an owner's drop-down editor) get their notifications back.
    if (ReflectToChild(message, wParam, lParam, reflected)) return reflected;
  }
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      LRESULT result = 0;
      HandleClick(message, wParam, lParam, result);
      return result;
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      FinishCellEdit(true);
      break;
    case WM_KEYDOWN:
      if (edit_row_ >= 0) {
        if (HandleEditKey(wParam)) return 0;
      } else if (wParam == VK_SPACE) {
        return 0;  // the keyboard does not toggle check boxes
      }
      break;
    case WM_CHAR:
      if (edit_row_ < 0 && wParam == L' ') return 0;
      break;
    case WM_GETDLGCODE:
      // While a cell is edited Enter, Escape and Tab belong to the edit, not the dialog.
      if (edit_row_ >= 0) return CallDefault(message, wParam, lParam) | DLGC_WANTALLKEYS;
      break;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      if (edit_row_ >= 0) {
        FinishCellEdit(false);
        return 0;
      }
      break;
    case WM_HSCROLL:
      FinishCellEdit(true);
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom != reinterpret_cast<HWND>(SendMessageW(hwnd(), LVM_GETHEADER, 0, 0))) {
        break;
      }
      if (header->code == HDN_BEGINTRACKW || header->code == HDN_BEGINTRACKA) {
        FinishCellEdit(true);
        break;
      }
      if (header->code == HDN_ITEMCLICKW || header->code == HDN_ITEMCLICKA) {
        const LRESULT result = CallDefault(message, wParam, lParam);
        if (sortable_) {
          const int column = reinterpret_cast<const NMHEADERW*>(lParam)->iItem;
          const bool ascending = column != sort_column_ || !sort_ascending_;
          SortByColumn(column, ascending);
        }
        return result;
      }
      break;
    }
    case kReflectedBase + WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        return HandleCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
      }
      return kNotHandled;
    }
    case WM_DESTROY:
      TearDown();
      break;
    default:
      break;
  }
  return SubclassedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin::widgets
