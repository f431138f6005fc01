// The editable report list under Wine, driven by the messages a user's mouse and keyboard
// produce: selecting and editing cells, check modes, header sorting, row moves and the
// messages the parent hears.
#include <gtest/gtest.h>
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "tests/ui/ui_test_support.h"
#include "ui/widgets/combo_for_list.h"
#include "ui/widgets/report_ctrl.h"

namespace tarvolin {
namespace {

using widgets::CReportCtrl;
using widgets::kReportMsgCellEdited;
using widgets::kReportMsgCheckClick;
using widgets::kReportMsgSorted;
using namespace widgets;  // row state flags

class ReportCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(list_.Create(parent_.hwnd(), RECT{0, 0, 560, 360}, 1007));
    list_.SetOwner(parent_.hwnd());
    list_.SetSelectionGuard(&guard_);
    EXPECT_EQ(list_.AddColumn(0, L"Name", LVCFMT_LEFT, 150), 0);
    EXPECT_EQ(list_.AddColumn(1, L"Key", LVCFMT_LEFT, 150), 1);
    EXPECT_EQ(list_.AddColumn(2, L"Delay", LVCFMT_RIGHT, 150), 2);
    const wchar_t* names[] = {L"delta", L"alpha", L"Echo", L"bravo", L"charlie"};
    for (int row = 0; row < 5; ++row) {
      ASSERT_EQ(list_.AddRow(row, names[row], -1, static_cast<std::uint32_t>(100 + row)), row);
      list_.SetCellText(row, 1, L"key" + std::to_wstring(row));
      list_.SetCellText(row, 2, row * 10);
    }
    SetFocus(list_.hwnd());
  }

  POINT CellCentre(int row, int column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    SendMessageW(list_.hwnd(), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  }

  POINT CheckBoxOf(int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_.hwnd(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    LVHITTESTINFO hit{};
    for (int x = bounds.left; x < bounds.left + 40; ++x) {
      hit.pt = {x, (bounds.top + bounds.bottom) / 2};
      SendMessageW(list_.hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if ((hit.flags & LVHT_ONITEMSTATEICON) != 0) return hit.pt;
    }
    ADD_FAILURE() << "no check box found in row " << row;
    return {bounds.left + 8, (bounds.top + bounds.bottom) / 2};
  }

  void Click(POINT point, UINT message = WM_LBUTTONDOWN) {
    // The button-up is queued first so that a drag check inside the list ends at once.
    PostMessageW(list_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(list_.hwnd(), message, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    uitest::PumpMessages();
  }

  void ClickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list_.hwnd(), LVM_GETHEADER, 0, 0));
    RECT rect{};
    SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
    uitest::PumpMessages();
  }

  std::wstring EditorText() {
    wchar_t text[512] = {};
    GetWindowTextW(list_.editor(), text, 512);
    return text;
  }

  void Key(HWND window, WPARAM key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
    uitest::PumpMessages();
  }

  std::vector<std::wstring> Column(int column) {
    std::vector<std::wstring> texts;
    for (int row = 0; row < list_.RowCount(); ++row)
      texts.push_back(list_.GetCellText(row, column));
    return texts;
  }

  uitest::RecordingParent parent_{600, 400};
  CReportCtrl list_;
  int guard_ = 0;
};

TEST_F(ReportCtrlTest, FirstClickSelectsSecondClickEditsThatCell) {
  list_.AllowCellEditing(true);
  Click(CellCentre(2, 1));
  EXPECT_TRUE(list_.RowMatches(2, kRowSelected | kRowFocused));
  EXPECT_EQ(list_.GetEditRow(), -1);
  EXPECT_EQ(list_.editor(), nullptr);

  Click(CellCentre(2, 1));
  EXPECT_EQ(list_.GetEditRow(), 2);
  EXPECT_EQ(list_.GetEditColumn(), 1);
  ASSERT_NE(list_.editor(), nullptr);
  EXPECT_TRUE(IsWindowVisible(list_.editor()));
  EXPECT_EQ(EditorText(), L"key2");
  EXPECT_EQ(GetFocus(), list_.editor());
  EXPECT_EQ(guard_, 0);  // set only while the list changed the selection

  // A click elsewhere while editing ends the edit and does not start another.
  Click(CellCentre(3, 2));
  EXPECT_EQ(list_.GetEditRow(), -1);
  EXPECT_FALSE(IsWindowVisible(list_.editor()));
  // Not editable: repeated clicks only select.
  list_.AllowCellEditing(false);
  Click(CellCentre(3, 2));
  Click(CellCentre(3, 2));
  EXPECT_EQ(list_.GetEditRow(), -1);
}

TEST_F(ReportCtrlTest, EnterStoresTheTextAndTellsTheParentEscapeDoesNothing) {
  list_.AllowCellEditing(true);
  ASSERT_EQ(list_.BeginCellEdit(1, 2), 1);
  EXPECT_TRUE(list_.RowMatches(1, kRowSelected | kRowFocused));
  SetWindowTextW(list_.editor(), L"250");
  Key(list_.editor(), VK_RETURN);
  EXPECT_EQ(list_.GetCellText(1, 2), L"250");
  EXPECT_EQ(list_.GetEditRow(), -1);
  EXPECT_FALSE(IsWindowVisible(list_.editor()));
  ASSERT_EQ(parent_.CountOf(kReportMsgCellEdited), 1);
  EXPECT_EQ(parent_.messages().back().wParam, 1u);
  EXPECT_EQ(parent_.messages().back().lParam, 2);

  ASSERT_EQ(list_.BeginCellEdit(1, 2), 1);
  SetWindowTextW(list_.editor(), L"999");
  Key(list_.editor(), VK_ESCAPE);
  EXPECT_EQ(list_.GetCellText(1, 2), L"250");
  EXPECT_EQ(parent_.CountOf(kReportMsgCellEdited), 1);
  EXPECT_EQ(list_.GetEditRow(), -1);

  // Enter on unchanged text stores nothing and sends nothing.
  ASSERT_EQ(list_.BeginCellEdit(1, 2), 1);
  Key(list_.editor(), VK_RETURN);
  EXPECT_EQ(parent_.CountOf(kReportMsgCellEdited), 1);
}

TEST_F(ReportCtrlTest, TabIsSwallowedAndTheHundredFirstCharacterRefused) {
  list_.AllowCellEditing(true);
  ASSERT_EQ(list_.BeginCellEdit(0, 0), 1);
  Key(list_.editor(), VK_TAB);
  SendMessageW(list_.editor(), WM_CHAR, L'\t', 1);
  EXPECT_EQ(list_.GetEditRow(), 0);
  EXPECT_EQ(EditorText(), L"delta");  // still all selected, nothing typed over it
  for (int i = 0; i < 101; ++i) SendMessageW(list_.editor(), WM_CHAR, L'a' + i % 26, 1);
  EXPECT_EQ(EditorText().size(), 100u);
  Key(list_.editor(), VK_RETURN);
  EXPECT_EQ(list_.GetCellText(0, 0).size(), 100u);
}

TEST_F(ReportCtrlTest, ScrollingEndsTheEditWithoutStoring) {
  list_.AllowCellEditing(true);
  ASSERT_EQ(list_.BeginCellEdit(4, 1), 1);
  SetWindowTextW(list_.editor(), L"changed");
  SendMessageW(list_.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(list_.GetEditRow(), -1);
  EXPECT_EQ(list_.GetCellText(4, 1), L"key4");
  EXPECT_EQ(parent_.CountOf(kReportMsgCellEdited), 0);
}

TEST_F(ReportCtrlTest, ValidateCanRefuseOrRewrite) {
  list_.AllowCellEditing(true);
  list_.SetValidateCallback([](HWND editor, CReportCtrl&) {
    wchar_t text[64] = {};
    GetWindowTextW(editor, text, 64);
    if (std::wstring(text) == L"bad") return 0;
    SetWindowTextW(editor, (std::wstring(text) + L"!").c_str());
    return 1;
  });
  list_.BeginCellEdit(0, 1);
  SetWindowTextW(list_.editor(), L"bad");
  EXPECT_EQ(list_.FinishCellEdit(true), 1);  // changed, though not stored
  EXPECT_EQ(list_.GetCellText(0, 1), L"key0");
  EXPECT_EQ(parent_.CountOf(kReportMsgCellEdited), 0);
  list_.BeginCellEdit(0, 1);
  SetWindowTextW(list_.editor(), L"good");
  EXPECT_EQ(list_.FinishCellEdit(true), 1);
  EXPECT_EQ(list_.GetCellText(0, 1), L"good!");
  EXPECT_EQ(parent_.CountOf(kReportMsgCellEdited), 1);
}

TEST_F(ReportCtrlTest, OwnerEditsWithItsOwnDropDown) {
  list_.AllowCellEditing(true);
  widgets::CComboBox4ListCtrl combo;
  int ended = 0;
  int committed = -1;
  list_.SetBeginEditCallback([&](HWND listWindow, CReportCtrl& self, DWORD*) {
    RECT cell{};
    cell.top = self.GetEditColumn();
    cell.left = LVIR_LABEL;
    SendMessageW(listWindow, LVM_GETSUBITEMRECT, self.GetEditRow(),
                 reinterpret_cast<LPARAM>(&cell));
    cell.bottom += 100;
    EXPECT_TRUE(combo.Create(listWindow, cell, 1500));
    for (const wchar_t* item : {L"Press", L"Release"}) {
      SendMessageW(combo.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo.hwnd(), CB_SETCURSEL, 0, 0);
    combo.SetTarget(listWindow, WM_KEYDOWN, VK_RETURN, widgets::kEnterKeyDownLParam);
    return 0;
  });
  list_.SetEndEditCallback([&](HWND, CReportCtrl& self, int commit, int* result) {
    ++ended;
    committed = commit;
    if (commit != 0 && combo.hwnd() != nullptr) {
      wchar_t text[32] = {};
      GetWindowTextW(combo.hwnd(), text, 32);
      self.SetCellText(self.GetEditRow(), self.GetEditColumn(), std::wstring(text));
      DestroyWindow(combo.hwnd());
    }
    *result = 7;
    return 0;
  });
  ASSERT_EQ(list_.BeginCellEdit(3, 1), 1);
  EXPECT_EQ(list_.GetEditRow(), 3);  // the edit cell stays set
  EXPECT_EQ(list_.editor(), nullptr);
  // Choosing an entry posts Enter to the list, which ends the edit with commit.
  SendMessageW(combo.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  uitest::PumpMessages();
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(committed, 1);
  EXPECT_EQ(list_.GetEditRow(), -1);
  EXPECT_EQ(list_.GetCellText(3, 1), L"Release");
  EXPECT_EQ(list_.FinishCellEdit(true), 0);  // nothing running
  EXPECT_EQ(ended, 1);
}

TEST_F(ReportCtrlTest, SingleCheckModeKeepsAtMostOneTick) {
  std::vector<int> changed;
  list_.SetCheckChangedCallback([&](int row, CReportCtrl&) { changed.push_back(row); });
  ASSERT_TRUE(list_.ChooseCheckMode(2));
  EXPECT_TRUE(list_.ApplyRowStates(1, kRowChecked));
  EXPECT_TRUE(list_.ApplyRowStates(3, kRowChecked));
  EXPECT_EQ(list_.CountRows(kRowChecked), 1);
  EXPECT_TRUE(list_.RowMatches(3, kRowChecked));
  changed.clear();

  Click(CheckBoxOf(1));
  EXPECT_TRUE(list_.RowMatches(1, kRowChecked | kRowSelected | kRowFocused));
  EXPECT_TRUE(list_.RowMatches(3, kRowUnchecked));
  EXPECT_EQ(list_.CountRows(kRowChecked), 1);
  EXPECT_EQ(list_.CountRows(kRowSelected), 1);
  ASSERT_EQ(parent_.CountOf(kReportMsgCheckClick), 1);
  EXPECT_EQ(parent_.messages().back().wParam, 1u);
  EXPECT_EQ(parent_.messages().back().lParam, WM_LBUTTONDOWN);
  EXPECT_NE(std::find(changed.begin(), changed.end(), 3), changed.end());
  EXPECT_EQ(guard_, 0);

  // Unchecking the only ticked row leaves none.
  Click(CheckBoxOf(1));
  EXPECT_EQ(list_.CountRows(kRowChecked), 0);
  EXPECT_EQ(parent_.CountOf(kReportMsgCheckClick), 2);

  // A mode change to single keeps only the first tick.
  ASSERT_TRUE(list_.ChooseCheckMode(1));
  list_.ApplyStatesToRows(kRowAll, kRowChecked);
  EXPECT_EQ(list_.CountRows(kRowChecked), 5);
  ASSERT_TRUE(list_.ChooseCheckMode(2));
  EXPECT_EQ(list_.CountRows(kRowChecked), 1);
  EXPECT_EQ(list_.FindNextRow(kRowChecked, -1), 0);
}

TEST_F(ReportCtrlTest, OtherCheckModes) {
  ASSERT_TRUE(list_.ChooseCheckMode(1));
  Click(CheckBoxOf(0));
  Click(CheckBoxOf(2));
  EXPECT_EQ(list_.CountRows(kRowChecked), 2);
  // Click-sets mode: the click's own toggle is undone and nothing is announced.
  ASSERT_TRUE(list_.ChooseCheckMode(3));
  const int before = parent_.CountOf(kReportMsgCheckClick);
  Click(CheckBoxOf(0));
  Click(CheckBoxOf(4));
  EXPECT_TRUE(list_.RowMatches(0, kRowChecked));
  EXPECT_TRUE(list_.RowMatches(4, kRowUnchecked));
  EXPECT_EQ(parent_.CountOf(kReportMsgCheckClick), before);
  // No check boxes: checking is refused and Space never toggles.
  ASSERT_TRUE(list_.ChooseCheckMode(0));
  EXPECT_EQ(SendMessageW(list_.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES, 0);
  EXPECT_FALSE(list_.ApplyRowStates(1, kRowChecked));
  EXPECT_FALSE(list_.ChooseCheckMode(4));
  ASSERT_TRUE(list_.ChooseCheckMode(1));
  list_.ApplyRowStates(1, kRowSelected | kRowFocused);
  const int checked = list_.CountRows(kRowChecked);
  Key(list_.hwnd(), VK_SPACE);
  SendMessageW(list_.hwnd(), WM_CHAR, L' ', 1);
  EXPECT_EQ(list_.CountRows(kRowChecked), checked);
}

TEST_F(ReportCtrlTest, HeaderClicksSortAscendingThenDescending) {
  int before = 0;
  int after = 0;
  list_.SetBeforeSortCallback([&](HWND, CReportCtrl&) { ++before; });
  list_.SetAfterSortCallback([&](HWND, CReportCtrl&) { ++after; });
  list_.ChooseCheckMode(1);
  list_.ApplyRowStates(1, kRowChecked);  // "alpha" is ticked
  list_.SetCellTextColour(1, 0, RGB(255, 0, 0), false);
  ClickHeader(0);
  // Code-unit order: upper case first.
  EXPECT_EQ(Column(0),
            (std::vector<std::wstring>{L"Echo", L"alpha", L"bravo", L"charlie", L"delta"}));
  ASSERT_EQ(parent_.CountOf(kReportMsgSorted), 1);
  EXPECT_EQ(parent_.messages().back().wParam, 0u);
  EXPECT_EQ(parent_.messages().back().lParam, 1);
  // Everything of a row travels with it: cells, value, tick and colours.
  EXPECT_EQ(list_.GetCellText(1, 1), L"key1");
  EXPECT_EQ(list_.GetRowValue(1), 101u);
  EXPECT_TRUE(list_.RowMatches(1, kRowChecked));
  EXPECT_EQ(list_.GetCellTextColour(1, 0), RGB(255, 0, 0));
  EXPECT_EQ(list_.GetRowValue(0), 102u);

  ClickHeader(0);
  EXPECT_EQ(Column(0),
            (std::vector<std::wstring>{L"delta", L"charlie", L"bravo", L"alpha", L"Echo"}));
  EXPECT_EQ(parent_.messages().back().lParam, 0);
  EXPECT_TRUE(list_.RowMatches(3, kRowChecked));
  // Another column starts ascending again.
  ClickHeader(2);
  EXPECT_EQ(list_.sort_column(), 2);
  EXPECT_TRUE(list_.sort_ascending());
  EXPECT_EQ(before, 3);
  EXPECT_EQ(after, 3);
  // Not sortable: header clicks change nothing.
  list_.AllowHeaderSort(false);
  ClickHeader(0);
  EXPECT_EQ(parent_.CountOf(kReportMsgSorted), 3);
}

TEST_F(ReportCtrlTest, SeparatorRowsStayInPlace) {
  list_.SetCellText(2, 0, L"--");
  list_.SetSeparatorText(L"--");
  ASSERT_TRUE(list_.SortByColumn(0, true));
  EXPECT_EQ(Column(0),
            (std::vector<std::wstring>{L"alpha", L"delta", L"--", L"bravo", L"charlie"}));
  EXPECT_FALSE(list_.SortByColumn(7, true));
}

TEST_F(ReportCtrlTest, MoveAndSwapRows) {
  // Moving row 3 to position 99 in a five-row list puts it last.
  EXPECT_EQ(list_.MoveRow(3, 99), 4);
  EXPECT_EQ(Column(0),
            (std::vector<std::wstring>{L"delta", L"alpha", L"Echo", L"charlie", L"bravo"}));
  EXPECT_EQ(list_.GetRowValue(4), 103u);
  EXPECT_EQ(list_.GetCellText(4, 2), L"30");
  EXPECT_EQ(list_.MoveRow(4, -5), 0);
  EXPECT_EQ(list_.GetCellText(0, 0), L"bravo");
  EXPECT_EQ(list_.MoveRow(5, 0), -1);
  EXPECT_EQ(list_.MoveRow(2, 2), 2);
  EXPECT_EQ(list_.RowCount(), 5);

  list_.ChooseCheckMode(1);
  list_.ApplyRowStates(0, kRowChecked | kRowSelected);
  list_.SetCellFillColour(0, 2, RGB(1, 2, 3), false);
  ASSERT_TRUE(list_.SwapRows(0, 4));
  EXPECT_EQ(list_.GetCellText(4, 0), L"bravo");
  EXPECT_EQ(list_.GetCellText(0, 0), L"charlie");
  EXPECT_EQ(list_.GetRowValue(4), 103u);
  EXPECT_TRUE(list_.RowMatches(4, kRowChecked | kRowSelected));
  EXPECT_TRUE(list_.RowMatches(0, kRowUnchecked | kRowUnselected));
  EXPECT_EQ(list_.GetCellFillColour(4, 2), RGB(1, 2, 3));
  EXPECT_FALSE(list_.SwapRows(0, 5));
}

TEST_F(ReportCtrlTest, RemovingRowsAndFindingThem) {
  EXPECT_EQ(list_.FindRowByText(L"ECHO"), 2);
  EXPECT_EQ(list_.FindRowByText(L"zulu"), -1);
  list_.ApplyRowStates(1, kRowSelected);
  list_.ApplyRowStates(3, kRowSelected);
  EXPECT_EQ(list_.CountRows(kRowSelected), 2);
  EXPECT_EQ(list_.FindNextRow(kRowSelected, -1), 1);
  EXPECT_EQ(list_.FindNextRow(kRowSelected, 1), 3);
  EXPECT_EQ(list_.FindNextRow(kRowSelected, 3), -1);
  EXPECT_EQ(list_.FindPrevRow(kRowSelected, -1), 3);
  EXPECT_EQ(list_.FindPrevRow(kRowSelected, 3), 1);
  EXPECT_EQ(list_.FindPrevRow(kRowSelected, 1), -1);
  EXPECT_EQ(list_.CountRows(kRowAll), 5);

  // The last row's neighbour is the one before it; otherwise the next one.
  ASSERT_TRUE(list_.RemoveRow(4, true));
  EXPECT_TRUE(list_.RowMatches(3, kRowSelected | kRowFocused));
  ASSERT_TRUE(list_.RemoveRow(1, true));
  EXPECT_EQ(list_.GetCellText(1, 0), L"Echo");
  EXPECT_TRUE(list_.RowMatches(1, kRowSelected | kRowFocused));
  EXPECT_FALSE(list_.RemoveRow(3, false));
  EXPECT_EQ(list_.RowCount(), 3);

  EXPECT_EQ(list_.RemoveRows(kRowSelected), 1);
  EXPECT_EQ(list_.RowCount(), 2);
  EXPECT_EQ(list_.RemoveRows(kRowAll), 2);
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_EQ(list_.AddRow(-3, L"again"), 0);
  EXPECT_EQ(list_.GetRowValue(0), 0u);
}

TEST_F(ReportCtrlTest, ColumnsAndColoursAndOutOfRangeCalls) {
  list_.SetCellTextColour(99, 1, RGB(9, 9, 9), true);  // every row, column 1
  for (int row = 0; row < 5; ++row) EXPECT_EQ(list_.GetCellTextColour(row, 1), RGB(9, 9, 9));
  EXPECT_EQ(list_.GetCellTextColour(0, 0), GetSysColor(COLOR_WINDOWTEXT));
  list_.SetCellFillColour(2, -1, RGB(7, 7, 7), false);  // row 2, every column
  EXPECT_EQ(list_.GetCellFillColour(2, 0), RGB(7, 7, 7));
  EXPECT_EQ(list_.GetCellFillColour(2, 2), RGB(7, 7, 7));
  EXPECT_EQ(list_.GetCellFillColour(1, 2), GetSysColor(COLOR_WINDOW));
  list_.SetCellTextColour(0, 0, CReportCtrl::kSystemColour, false);
  EXPECT_EQ(list_.GetCellTextColour(0, 0), GetSysColor(COLOR_WINDOWTEXT));

  // A column inserted in the middle shifts the colours with it.
  EXPECT_EQ(list_.AddColumn(1, L"New", LVCFMT_CENTER, 60), 1);
  EXPECT_EQ(list_.GetCellTextColour(0, 2), RGB(9, 9, 9));
  EXPECT_EQ(list_.GetCellTextColour(0, 1), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_TRUE(list_.RemoveColumn(1));
  EXPECT_EQ(list_.GetCellTextColour(0, 1), RGB(9, 9, 9));
  EXPECT_FALSE(list_.RemoveColumn(3));

  EXPECT_FALSE(list_.SetCellText(5, 0, L"x"));
  EXPECT_FALSE(list_.SetCellText(0, 3, L"x"));
  EXPECT_EQ(list_.GetCellText(9, 0), L"");
  EXPECT_FALSE(list_.SetRowValue(-1, 3));
  EXPECT_EQ(list_.GetRowStates(7), 0u);
  EXPECT_FALSE(list_.ApplyRowStates(7, kRowSelected));
  EXPECT_EQ(list_.BeginCellEdit(0, 0), 0);  // not editable
  list_.AllowCellEditing(true);
  EXPECT_EQ(list_.BeginCellEdit(0, 3), 0);
  EXPECT_EQ(list_.BeginCellEdit(5, 0), 0);
  EXPECT_TRUE(list_.SetCellText(0, 2, 4294967295u));
  EXPECT_EQ(list_.GetCellText(0, 2), L"4294967295");
  EXPECT_TRUE(list_.SetCellText(0, 2, -12));
  EXPECT_EQ(list_.GetCellText(0, 2), L"-12");

  list_.RemoveAllColumns();
  EXPECT_EQ(list_.ColumnCount(), 0);
}

TEST_F(ReportCtrlTest, CustomDrawUsesEachCellsColours) {
  list_.SetCellTextColour(2, 1, RGB(10, 20, 30), false);
  list_.SetCellFillColour(2, 1, RGB(40, 50, 60), false);
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = 2;
  SendMessageW(list_.hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));

  NMLVCUSTOMDRAW draw{};
  draw.nmcd.hdr.hwndFrom = list_.hwnd();
  draw.nmcd.hdr.idFrom = 1007;
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  auto send = [&] {
    return SendMessageW(parent_.hwnd(), WM_NOTIFY, 1007, reinterpret_cast<LPARAM>(&draw));
  };
  EXPECT_EQ(send(), CDRF_NOTIFYITEMDRAW);
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  EXPECT_EQ(send(), CDRF_NOTIFYSUBITEMDRAW);
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
  draw.nmcd.dwItemSpec = 2;
  draw.nmcd.lItemlParam = item.lParam;
  draw.iSubItem = 1;
  EXPECT_EQ(send(), CDRF_DODEFAULT);
  EXPECT_EQ(draw.clrText, RGB(10, 20, 30));
  EXPECT_EQ(draw.clrTextBk, RGB(40, 50, 60));
  // A stale or foreign item pointer is ignored.
  draw.clrText = RGB(1, 1, 1);
  draw.nmcd.lItemlParam = 12345;
  send();
  EXPECT_EQ(draw.clrText, RGB(1, 1, 1));
}

TEST_F(ReportCtrlTest, DestroyingTheWindowEndsEverything) {
  list_.AllowCellEditing(true);
  list_.BeginCellEdit(0, 0);
  HWND editor = list_.editor();
  DestroyWindow(list_.hwnd());
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_FALSE(list_.IsAttached());
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_EQ(list_.AddRow(0, L"x"), -1);
}

// The list view makes the check boxes' state images itself and, sharing image lists, would
// never free them: one leaked list per opening of a dialog with a report list.
TEST(ReportCtrlImageLists, CheckBoxImagesGoWithTheWindow) {
  uitest::RecordingParent parent{300, 200};
  std::vector<HIMAGELIST> made;
  for (int round = 0; round < 3; ++round) {
    CReportCtrl list;
    ASSERT_TRUE(list.Create(parent.hwnd(), RECT{0, 0, 280, 180}, 1007));
    ASSERT_TRUE(list.ChooseCheckMode(static_cast<int>(widgets::CheckMode::kFree)));
    list.AddColumn(0, L"Name", LVCFMT_LEFT, 100);
    list.AddRow(0, L"row");
    const auto state_images =
        reinterpret_cast<HIMAGELIST>(SendMessageW(list.hwnd(), LVM_GETIMAGELIST, LVSIL_STATE, 0));
    ASSERT_NE(state_images, nullptr);
    ASSERT_GT(ImageList_GetImageCount(state_images), 0);
    made.push_back(state_images);
    DestroyWindow(list.hwnd());
  }
  const auto live = std::count_if(made.begin(), made.end(), [](HIMAGELIST images) {
    return ImageList_GetImageCount(images) > 0;
  });
  EXPECT_EQ(live, 0);
}

// Check boxes switched off and on again: every state list the list view made goes, whether
// the window ends by DestroyWindow or the control's own destruction.
TEST(ReportCtrlImageLists, EveryCheckBoxListMadeGoesWithTheControl) {
  uitest::RecordingParent parent{300, 200};
  std::vector<HIMAGELIST> made;
  auto note_state_images = [&made](const CReportCtrl& list) {
    const auto images =
        reinterpret_cast<HIMAGELIST>(SendMessageW(list.hwnd(), LVM_GETIMAGELIST, LVSIL_STATE, 0));
    if (images != nullptr && std::find(made.begin(), made.end(), images) == made.end()) {
      made.push_back(images);
    }
  };
  for (const bool destroy_window : {true, false}) {
    CReportCtrl list;
    ASSERT_TRUE(list.Create(parent.hwnd(), RECT{0, 0, 280, 180}, 1007));
    list.AddColumn(0, L"Name", LVCFMT_LEFT, 100);
    for (const auto mode : {widgets::CheckMode::kSingle, widgets::CheckMode::kNone,
                            widgets::CheckMode::kFree, widgets::CheckMode::kSingle}) {
      ASSERT_TRUE(list.ChooseCheckMode(static_cast<int>(mode)));
      note_state_images(list);
    }
    list.AddRow(0, L"row");
    if (destroy_window) DestroyWindow(list.hwnd());
  }
  ASSERT_FALSE(made.empty());
  const auto live = std::count_if(made.begin(), made.end(), [](HIMAGELIST images) {
    return ImageList_GetImageCount(images) > 0;
  });
  EXPECT_EQ(live, 0);
}

}  // namespace
}  // namespace tarvolin
