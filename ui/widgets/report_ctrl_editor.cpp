// CReportCtrl: the in-place editor of a cell.
#include <algorithm>

#include "ui/widgets/report_ctrl_internals.h"

namespace tarvolin::widgets {

LRESULT CReportCtrl::EditorWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
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
    if (item.iImage >= 0) cell.left += kReportCellImageWidth;
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
  std::wstring text = WindowText(editor_);
  const bool changed = commit && text != GetCellText(row, column);
  if (changed) {
    int accepted = 1;
    if (validate_) {
      accepted = validate_(editor_, *this);
      text = WindowText(editor_);
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

}  // namespace tarvolin::widgets
