// CReportCtrl: the record kept per row (value and cell colours) and the operations that move
// whole rows: snapshot and restore, swap, move and sort.
#include <algorithm>

#include "platform/win32/wide_text.h"
#include "ui/widgets/report_ctrl_internals.h"
#include "ui/widgets/row_sort.h"

namespace tarvolin::widgets {

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
  for (int row = 0; row < count; ++row)
    keys.push_back(win32::FromWide(GetCellText(row, sort_column_)));
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
  for (int row = 0; row < RowCount(); ++row)
    keys.push_back(win32::FromWide(GetCellText(row, column)));
  std::optional<std::u16string> separator;
  if (separator_) separator = win32::FromWide(*separator_);
  for (const RowRun& run : SplitIntoRuns(keys, separator)) SortRows(run.first, run.last);
  SendToParent(kReportMsgSorted, static_cast<WPARAM>(column), ascending ? 1 : 0);
  if (after_sort_) after_sort_(hwnd(), *this);
  return true;
}

}  // namespace tarvolin::widgets
