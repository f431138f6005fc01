#include "ui/tray/tray_icon.h"

#include "ui/main/main_window_ids.h"
#include "ui/tray/tray_menus.h"

namespace tarvolin::tray {

LRESULT CTrayHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  icon_.OnHookedMessage(hwnd(), message, wParam, lParam);
  return SubclassedWindow::WindowProc(message, wParam, lParam);
}

UINT CTrayIcon::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

CTrayIcon::CTrayIcon() : owner_hook_(*this), top_hook_(*this) {
  data_.cbSize = sizeof(data_);
  TaskbarCreatedMessage();
}

CTrayIcon::~CTrayIcon() {
  DeleteTrayIcon();
  if (owned_icon_ != nullptr) DestroyIcon(owned_icon_);
}

bool CTrayIcon::CreateTrayIcon(HWND owner, UINT callbackMessage, const std::wstring& tooltip,
                               HICON icon, UINT id) {
  if (owner == nullptr || !IsWindow(owner)) return false;
  data_.hWnd = owner;
  data_.uID = id;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  lstrcpynW(data_.szTip, tooltip.c_str(), static_cast<int>(std::size(data_.szTip)));
  if (!owner_hook_.IsAttached()) owner_hook_.Hook(owner);
  HWND top = GetAncestor(owner, GA_ROOT);
  if (top != nullptr && top != owner && !top_hook_.IsAttached()) top_hook_.Hook(top);
  enabled_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
  return enabled_;
}

void CTrayIcon::SetTrayPicture(int resourceId) {
  if (!enabled_) return;
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (icon == nullptr) return;
  NOTIFYICONDATAW change = data_;
  change.uFlags = NIF_ICON;
  change.hIcon = icon;
  Shell_NotifyIconW(NIM_MODIFY, &change);
  data_.hIcon = icon;
  if (owned_icon_ != nullptr) DestroyIcon(owned_icon_);
  owned_icon_ = icon;
}

void CTrayIcon::DeleteTrayIcon() {
  if (!enabled_) return;
  NOTIFYICONDATAW removal = data_;
  removal.uFlags = 0;
  Shell_NotifyIconW(NIM_DELETE, &removal);
  enabled_ = false;
}

void CTrayIcon::AddAgain() {
  NOTIFYICONDATAW removal = data_;
  removal.uFlags = 0;
  Shell_NotifyIconW(NIM_DELETE, &removal);
  Shell_NotifyIconW(NIM_ADD, &data_);
}

void CTrayIcon::OnHookedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == data_.uCallbackMessage && window == data_.hWnd) {
    HandleTrayMouse(wParam, lParam);
  } else if (message == TaskbarCreatedMessage() && enabled_) {
    AddAgain();
  }
}

void CTrayIcon::HandleTrayMouse(WPARAM id, LPARAM mouseMessage) {
  if (id != mainwnd::kTrayIconId) return;
  if (LOWORD(mouseMessage) == WM_RBUTTONUP) {
    ShowTrayMenu(data_.hWnd);
  } else if (LOWORD(mouseMessage) == WM_LBUTTONDBLCLK) {
    OpenFromTray(data_.hWnd);
  }
}

}  // namespace tarvolin::tray
