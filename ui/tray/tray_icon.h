#pragma once
// CTrayIcon: the program's icon in the notification area. Hooks its owner window (and the
// owner's top-level parent when that differs) to see the icon's mouse messages and the
// shell's "TaskbarCreated", after which it adds the icon again.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <functional>
#include <string>

#include "ui/widgets/subclassed_window.h"

namespace tarvolin::tray {

class CTrayIcon;

class CTrayHook : public widgets::SubclassedWindow {
 public:
  explicit CTrayHook(CTrayIcon& icon) : icon_(icon) {}
  bool Hook(HWND window) { return Subclass(window); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CTrayIcon& icon_;
};

class CTrayIcon {
 public:
  CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;
  virtual ~CTrayIcon();

  // Fails (the icon stays disabled) when `owner` is not a window; otherwise hooks the owner
  // and adds the icon. True when the shell took it.
  bool CreateTrayIcon(HWND owner, UINT callbackMessage, const std::wstring& tooltip, HICON icon,
                      UINT id);
  // Shows the program's icon resource `resourceId`; nothing while disabled.
  void SetTrayPicture(int resourceId);
  // Removes the icon; nothing while disabled.
  void DeleteTrayIcon();

  bool enabled() const { return enabled_; }
  UINT id() const { return data_.uID; }

  // The icon's mouse messages for id 140: right button up shows the tray menu, a left
  // double click opens the window.
  virtual void HandleTrayMouse(WPARAM id, LPARAM mouseMessage);

  // The registered "TaskbarCreated" message.
  static UINT TaskbarCreatedMessage();

 private:
  friend class CTrayHook;
  // True when the message was the icon's own and is handled.
  void OnHookedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void AddAgain();

  bool enabled_ = false;
  NOTIFYICONDATAW data_{};
  HICON owned_icon_ = nullptr;  // the last icon loaded by SetTrayPicture
  CTrayHook owner_hook_;
  CTrayHook top_hook_;
};

}  // namespace tarvolin::tray
