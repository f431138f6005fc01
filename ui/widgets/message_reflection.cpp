#include "ui/widgets/message_reflection.h"

#include <commctrl.h>

namespace tarvolin::widgets {
namespace {

constexpr wchar_t kReflectProperty[] = L"Tarvolin.Reflect";

HWND ChildOf(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lParam);
    default:
      (void)wParam;
      return nullptr;
  }
}

}  // namespace

void RequestReflection(HWND child) {
  SetPropW(child, kReflectProperty, reinterpret_cast<HANDLE>(1));
}

void ForgetReflection(HWND child) {
  RemovePropW(child, kReflectProperty);
}

bool IsReflectedMessage(UINT message) {
  if (message < kReflectedBase) return false;
  switch (message - kReflectedBase) {
    case WM_DRAWITEM:
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return true;
    default:
      return false;
  }
}

bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = ChildOf(message, wParam, lParam);
  if (child == nullptr || GetPropW(child, kReflectProperty) == nullptr) return false;
  const LRESULT answer = SendMessageW(child, message + kReflectedBase, wParam, lParam);
  if (answer == kNotHandled) return false;
  result = answer;
  return true;
}

}  // namespace tarvolin::widgets
