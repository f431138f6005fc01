#include "ui/widgets/combo_for_list.h"

#include "ui/widgets/message_reflection.h"

namespace tarvolin::widgets {

bool CComboBox4ListCtrl::Create(HWND parent, const RECT& rect, int id, DWORD style) {
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style,
                               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  if (combo == nullptr) return false;
  if (!Attach(combo)) {
    DestroyWindow(combo);
    return false;
  }
  return true;
}

bool CComboBox4ListCtrl::Attach(HWND combo) {
  if (!Subclass(combo)) return false;
  RequestReflection(combo);
  return true;
}

void CComboBox4ListCtrl::SetTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  target_ = window;
  message_ = message;
  wparam_ = wParam;
  lparam_ = lParam;
}

LRESULT CComboBox4ListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReflectedBase + WM_COMMAND) {
    if (HIWORD(wParam) == CBN_SELCHANGE && target_ != nullptr) {
      PostMessageW(target_, message_, wparam_, lparam_);
    }
    return 0;
  }
  return SubclassedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin::widgets
