#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "device/attachment/main_window_port.h"

namespace tarvolin::testing {

// Records every call the device layer makes, in order, as short words ("reload", "open",
// "hide", "icon 141", "bank", "timer"); the bank's pictures and captions are kept apart.
class FakeMainWindow final : public attachment::MainWindowPort {
 public:
  void SendProfileReload() override {
    Record("reload");
    if (on_reload) on_reload();
  }
  void PostOpen() override { Record("open"); }
  void Hide() override {
    if (on_hide) on_hide();
    Record("hide");
  }
  bool IsTrayReady() const override {
    ++tray_polls;
    return tray_ready.load();
  }
  void ShowTrayIcon(int icon_id) override { Record("icon " + std::to_string(icon_id)); }
  void SendBankChanged() override { Record("bank"); }
  void SetBankIndicatorPictures(const attachment::BankIndicatorPictures& pictures) override {
    std::lock_guard lock(mutex_);
    last_pictures = pictures;
  }
  void SetGKeyCaptions(const attachment::GKeyCaptions& captions) override {
    std::lock_guard lock(mutex_);
    last_captions = captions;
  }
  void StartLightingTimer() override { Record("timer"); }

  std::vector<std::string> Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  void ClearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
  }

  std::atomic<bool> tray_ready{true};
  mutable std::atomic<int> tray_polls{0};
  std::function<void()> on_reload;
  std::function<void()> on_hide;
  attachment::BankIndicatorPictures last_pictures{};
  attachment::GKeyCaptions last_captions{};

 private:
  void Record(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace tarvolin::testing
