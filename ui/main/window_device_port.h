#pragma once
// The main window as the device threads see it. Every call becomes a window message, so the
// work itself runs on the user-interface thread; the sent ones return once it is done.
#include <windows.h>

#include <atomic>

#include "device/attachment/main_window_port.h"

namespace tarvolin::mainwnd {

class WindowDevicePort final : public attachment::MainWindowPort {
 public:
  WindowDevicePort(HWND window, const std::atomic<int>& trayReady)
      : window_(window), tray_ready_(trayReady) {}

  void SendProfileReload() override;
  void PostOpen() override;
  void Hide() override;
  bool IsTrayReady() const override { return tray_ready_.load() != 0; }
  void ShowTrayIcon(int iconId) override;
  void SendBankChanged() override;
  void SetBankIndicatorPictures(const attachment::BankIndicatorPictures& pictures) override;
  void SetGKeyCaptions(const attachment::GKeyCaptions& captions) override;
  void StartLightingTimer() override;

 private:
  HWND window_;
  const std::atomic<int>& tray_ready_;
};

}  // namespace tarvolin::mainwnd
