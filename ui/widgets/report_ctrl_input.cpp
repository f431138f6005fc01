// CReportCtrl: mouse clicks, keys and the messages of the list window.
// The class header brings windows.h and commctrl.h, which must come first.
#include "ui/widgets/report_ctrl_internals.h"

// Needs windows.h first.
#include <windowsx.h>

#include "ui/widgets/message_reflection.h"

namespace tarvolin::widgets {

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
      SetItemState(row, CheckStateImage(wasChecked), LVIS_STATEIMAGEMASK);
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
