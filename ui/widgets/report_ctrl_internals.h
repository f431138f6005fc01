#pragma once
// What the files of CReportCtrl share: the helper classes behind its private declarations.
#include <string>
#include <vector>

#include "ui/widgets/report_ctrl.h"

namespace tarvolin::widgets {

// A cell image pushes the editor this far right in columns other than the first.
inline constexpr int kReportCellImageWidth = 16;

std::wstring WindowText(HWND window);

inline UINT CheckStateImage(bool checked) {
  return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}

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
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CReportCtrl& list_;
  bool in_kill_focus_ = false;
};

}  // namespace tarvolin::widgets
