#include "ui/dialogs/composite/enter_escape_filter.h"

namespace tarvolin::composite {
namespace {

// The dialog whose keys are filtered; one composite dialog per process.
HWND g_dialog = nullptr;
constexpr int kActionListId = 1019;

}  // namespace

void EnterEscapeFilter::Install(HWND dialog) {
  Remove();
  g_dialog = dialog;
  hook_.Reset(
      SetWindowsHookExW(WH_MSGFILTER, &EnterEscapeFilter::Hook, nullptr, GetCurrentThreadId()));
}

void EnterEscapeFilter::Remove() {
  hook_.Reset();
  g_dialog = nullptr;
}

LRESULT CALLBACK EnterEscapeFilter::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && g_dialog != nullptr) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    const bool ours = message.hwnd == g_dialog || IsChild(g_dialog, message.hwnd);
    // The action list's in-place editors take Enter and Escape as confirm and cancel.
    HWND actionList = GetDlgItem(g_dialog, kActionListId);
    const bool inPlaceEditor = actionList != nullptr && IsChild(actionList, message.hwnd);
    const bool key = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    if (ours && !inPlaceEditor && key &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE))
      return TRUE;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarvolin::composite
