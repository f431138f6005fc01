#pragma once
// CComboBox4ListCtrl: a drop-down an owner puts over a report-list cell as its editor. When
// its selection changes it posts a stored message to a stored window (typically a key-down
// Enter to the list, which ends the edit).
#include <windows.h>

#include "ui/widgets/subclassed_window.h"

namespace tarvolin::widgets {

class CComboBox4ListCtrl : public SubclassedWindow {
 public:
  bool Create(HWND parent, const RECT& rect, int id, DWORD style = CBS_DROPDOWNLIST);
  bool Attach(HWND combo);
  void SetTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND target() const { return target_; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND target_ = nullptr;
  UINT message_ = 0;
  WPARAM wparam_ = 0;
  LPARAM lparam_ = 0;
};

// The lParam of a key-down Enter: repeat count 1, Enter's scan code, previous-state bit.
inline constexpr LPARAM kEnterKeyDownLParam = 0x401C0001;

}  // namespace tarvolin::widgets
