#include "ui/main/keyboard_filter.h"

namespace tarvolin::mainwnd {
namespace {

// One main window per process: the hook procedure has no other way to find it.
HWND g_window = nullptr;
int g_effect_list_id = 0;

}  // namespace

bool IsFilteredKey(UINT message, WPARAM key, bool effectListHasFocus) {
  if (message != WM_KEYDOWN && message != WM_KEYUP) return false;
  if (key == VK_RETURN || key == VK_ESCAPE) return true;
  return effectListHasFocus && key >= VK_LEFT && key <= VK_DOWN;
}

void KeyboardFilter::Install(HWND window, int effectListId) {
  Remove();
  g_window = window;
  g_effect_list_id = effectListId;
  hook_ = SetWindowsHookExW(WH_MSGFILTER, &KeyboardFilter::Hook, nullptr, GetCurrentThreadId());
}

void KeyboardFilter::Remove() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  g_window = nullptr;
}

LRESULT CALLBACK KeyboardFilter::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && g_window != nullptr) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    const bool ours = message.hwnd == g_window || IsChild(g_window, message.hwnd);
    if (ours) {
      const bool listFocused = GetFocus() == GetDlgItem(g_window, g_effect_list_id);
      if (IsFilteredKey(message.message, message.wParam, listFocused)) return TRUE;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarvolin::mainwnd
