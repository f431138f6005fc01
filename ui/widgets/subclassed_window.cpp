#include "ui/widgets/subclassed_window.h"

#include <commctrl.h>

#include "ui/widgets/message_reflection.h"

namespace tarvolin::widgets {
namespace {
constexpr UINT_PTR kSubclassId = 0x54564C4E;  // one id for every widget class
}

SubclassedWindow::~SubclassedWindow() {
  Detach();
}

bool SubclassedWindow::Subclass(HWND window) {
  if (window == nullptr || hwnd_ != nullptr) return false;
  if (!SetWindowSubclass(window, &SubclassedWindow::Procedure, kSubclassId,
                         reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  hwnd_ = window;
  return true;
}

void SubclassedWindow::Detach() {
  if (hwnd_ != nullptr) {
    RemoveWindowSubclass(hwnd_, &SubclassedWindow::Procedure, kSubclassId);
    hwnd_ = nullptr;
  }
}

LRESULT SubclassedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A reflected notification nobody here wants goes back to the parent's own handling.
  if (IsReflectedMessage(message)) return kNotHandled;
  return CallDefault(message, wParam, lParam);
}

LRESULT SubclassedWindow::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<SubclassedWindow*>(data);
  if (message == WM_NCDESTROY) {
    self->OnWindowDestroyed();
    ForgetReflection(window);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    RemoveWindowSubclass(window, &SubclassedWindow::Procedure, kSubclassId);
    self->hwnd_ = nullptr;
    return result;
  }
  return self->WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin::widgets
