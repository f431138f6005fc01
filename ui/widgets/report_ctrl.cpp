#include "ui/widgets/report_ctrl.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/widgets/message_reflection.h"
#include "ui/widgets/report_ctrl_internals.h"

namespace tarvolin::widgets {
namespace {

// Texts compared by FindRowByText are cut to this many characters, as a cell buffer is.
constexpr std::size_t kCompareChars = 259;

}  // namespace

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
  return text;
}

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
  return (state & LVIS_STATEIMAGEMASK) == CheckStateImage(true);
}

bool CReportCtrl::SetItemState(int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  return SendMessageW(hwnd(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CReportCtrl::SetCheck(int row, bool checked) {
  const bool ok = SetItemState(row, CheckStateImage(checked), LVIS_STATEIMAGEMASK);
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
  TakeCheckImages(
      reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd(), LVM_GETIMAGELIST, LVSIL_STATE, 0)));
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
  row_images_.Reset(images);
}

void CReportCtrl::SetHeaderImageList(HIMAGELIST images) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd(), LVM_GETHEADER, 0, 0));
  if (header != nullptr) {
    SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  }
  header_images_.Reset(images);
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
    // Nobody else sets state images: whatever list the window holds is its check boxes'.
    TakeCheckImages(
        reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_STATE, 0)));
  }
  check_images_.Reset();
  FreeAllRecords();
  DestroyEditor();
  SetHeaderImageList(nullptr);
  row_images_.Reset();
}

void CReportCtrl::TakeCheckImages(HIMAGELIST images) {
  // A list view makes a new state list each time check boxes are switched on; the one it
  // dropped is destroyed here.
  if (images != nullptr) check_images_.Reset(images);
}

void CReportCtrl::OnWindowDestroyed() {
  // Also reached when the window went without the teardown (destroyed before the control
  // saw WM_DESTROY): the image lists go with it all the same.
  editor_window_.reset();
  editor_ = nullptr;
  FreeAllRecords();
  check_images_.Reset();
  row_images_.Reset();
  header_images_.Reset();
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

}  // namespace tarvolin::widgets
