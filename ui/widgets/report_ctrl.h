#pragma once
// CReportCtrl: a report-view list with per-cell colours, check boxes in three modes,
// sorting by a clicked column, row moves and in-place editing of a clicked cell. It knows
// nothing about what its rows stand for: owners hook in through callbacks and hear about
// clicks, sorts and edits through three messages sent to the parent.
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/widgets/row_states.h"
#include "ui/widgets/subclassed_window.h"
#include "ui/widgets/unique_image_list.h"

namespace tarvolin::widgets {

// Sent to the parent: a click changed a row's check box (wParam row, lParam the mouse
// message), a header click sorted (wParam column, lParam 1 ascending / 0 descending), a
// cell's text was changed by editing (wParam row, lParam column).
inline constexpr UINT kReportMsgCheckClick = 0xA710;
inline constexpr UINT kReportMsgSorted = 0xA711;
inline constexpr UINT kReportMsgCellEdited = 0xA712;

enum class CheckMode : int { kNone = 0, kFree = 1, kSingle = 2, kClickSets = 3 };

class CReportCtrl : public SubclassedWindow {
 public:
  using ValidateCallback = std::function<int(HWND editor, CReportCtrl& list)>;
  using BeginEditCallback = std::function<int(HWND list, CReportCtrl& self, DWORD* extraStyles)>;
  using EndEditCallback = std::function<int(HWND list, CReportCtrl& self, int commit, int* result)>;
  using SortCallback = std::function<void(HWND list, CReportCtrl& self)>;
  using CheckChangedCallback = std::function<void(int row, CReportCtrl& self)>;

  static constexpr int kEditorLimit = 100;
  static constexpr COLORREF kSystemColour = static_cast<COLORREF>(-1);

  CReportCtrl();
  ~CReportCtrl() override;

  // Creates its own list window: child, visible, both scroll bars, report view.
  bool Create(HWND parent, const RECT& rect, int id, DWORD style = 0);
  // Takes over a list of a dialog template, keeping the template's styles.
  bool Attach(HWND list);

  int AddColumn(int position, const std::wstring& title, int format, int width, int subitem = -1);
  bool RemoveColumn(int position);
  void RemoveAllColumns();
  int ColumnCount() const;

  int AddRow(int position, const std::wstring& text, int image = -1, std::uint32_t rowValue = 0);
  bool RemoveRow(int row, bool selectNeighbour);
  int RemoveRows(unsigned filter);
  int RowCount() const;

  bool SetCellText(int row, int column, const std::wstring& text);
  bool SetCellText(int row, int column, int value);
  bool SetCellText(int row, int column, unsigned value);
  std::wstring GetCellText(int row, int column) const;
  bool SetCellImage(int row, int column, int image);
  bool SetCellTextColour(int row, int column, COLORREF colour, bool redraw);
  bool SetCellFillColour(int row, int column, COLORREF colour, bool redraw);
  COLORREF GetCellTextColour(int row, int column) const;
  COLORREF GetCellFillColour(int row, int column) const;
  bool SetRowValue(int row, std::uint32_t value);
  std::uint32_t GetRowValue(int row) const;

  unsigned GetRowStates(int row) const;
  bool RowMatches(int row, unsigned filter) const;
  bool ApplyRowStates(int row, unsigned flags);
  int ApplyStatesToRows(unsigned filter, unsigned flags);
  int CountRows(unsigned filter) const;
  int FindNextRow(unsigned filter, int after) const;
  int FindPrevRow(unsigned filter, int before) const;
  int FindRowByText(const std::wstring& text) const;

  bool ChooseCheckMode(int mode);
  int check_mode() const { return static_cast<int>(check_mode_); }
  void AllowCellEditing(bool on);
  bool IsEditable() const { return editable_; }
  void AllowHeaderSort(bool on) { sortable_ = on; }
  void ShowGridLines(bool on);
  void SetSeparatorText(std::optional<std::wstring> text) { separator_ = std::move(text); }
  // Takes ownership of the image lists.
  void SetRowImageList(HIMAGELIST images);
  void SetHeaderImageList(HIMAGELIST images);

  bool SwapRows(int first, int second);
  int MoveRow(int from, int to);
  bool SortRows(int first, int last);
  bool SortByColumn(int column, bool ascending);
  int sort_column() const { return sort_column_; }
  bool sort_ascending() const { return sort_ascending_; }

  int BeginCellEdit(int row, int column);
  int FinishCellEdit(bool commit);
  int GetEditRow() const { return edit_row_; }
  int GetEditColumn() const { return edit_column_; }
  HWND editor() const { return editor_; }
  HWND GetOwner() const { return owner_; }

  void SetOwner(HWND owner) { owner_ = owner; }
  void SetSelectionGuard(int* guard) { selection_guard_ = guard; }
  void SetValidateCallback(ValidateCallback callback) { validate_ = std::move(callback); }
  void SetBeginEditCallback(BeginEditCallback callback) { begin_edit_ = std::move(callback); }
  void SetEndEditCallback(EndEditCallback callback) { end_edit_ = std::move(callback); }
  void SetBeforeSortCallback(SortCallback callback) { before_sort_ = std::move(callback); }
  void SetAfterSortCallback(SortCallback callback) { after_sort_ = std::move(callback); }
  void SetCheckChangedCallback(CheckChangedCallback callback) {
    check_changed_ = std::move(callback);
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnWindowDestroyed() override;

 private:
  struct RowRecord {
    std::uint32_t value = 0;
    std::vector<COLORREF> text_colours;
    std::vector<COLORREF> fill_colours;
  };
  struct RowSnapshot;
  class GuardScope;
  class EditorWindow;

  bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
  bool ValidColumn(int column) const { return column >= 0 && column < ColumnCount(); }
  RowRecord* RecordOf(int row) const;
  RowRecord* NewRecord();
  void FreeRecord(RowRecord* record);
  void FreeAllRecords();
  bool IsChecked(int row) const;
  bool SetCheck(int row, bool checked);
  bool SetItemState(int row, UINT state, UINT mask);
  void SelectOnly(int row);
  bool SetColour(int row, int column, COLORREF colour, bool text, bool redraw);
  RowSnapshot TakeRow(int row) const;
  void PutRow(int row, const RowSnapshot& snapshot);
  void HandleClick(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT HandleCustomDraw(NMLVCUSTOMDRAW& draw);
  bool HandleEditKey(WPARAM key);
  void DestroyEditor();
  void TearDown();
  void TakeCheckImages(HIMAGELIST images);
  void SendToParent(UINT message, WPARAM wParam, LPARAM lParam);

  std::unique_ptr<EditorWindow> editor_window_;
  HWND editor_ = nullptr;
  std::optional<std::wstring> separator_;
  bool editable_ = false;
  int edit_row_ = -1;
  int edit_column_ = -1;
  bool finishing_ = false;
  CheckMode check_mode_ = CheckMode::kFree;
  int editor_alignment_ = 0;
  UniqueImageList row_images_;
  UniqueImageList header_images_;
  // The check boxes' state images: the list view makes them itself and, sharing its image
  // lists, never frees them.
  UniqueImageList check_images_;
  int sort_column_ = -1;
  bool sort_ascending_ = true;
  bool sortable_ = true;
  HWND owner_ = nullptr;
  int* selection_guard_ = nullptr;
  ValidateCallback validate_;
  BeginEditCallback begin_edit_;
  EndEditCallback end_edit_;
  SortCallback before_sort_;
  SortCallback after_sort_;
  CheckChangedCallback check_changed_;
  std::unordered_map<RowRecord*, std::unique_ptr<RowRecord>> records_;
};

}  // namespace tarvolin::widgets
