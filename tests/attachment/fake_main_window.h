#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
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
  bool IsTrayReady() const override { return tray_ready.load(); }
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
  // Waits (up to 5 s) until `count` calls have been made.
  bool WaitForCalls(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return calls_.size() >= count; });
  }

  std::atomic<bool> tray_ready{true};
  std::function<void()> on_reload;
  std::function<void()> on_hide;
  attachment::BankIndicatorPictures last_pictures{};
  attachment::GKeyCaptions last_captions{};

 private:
  void Record(std::string call) {
    {
      std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
    }
    changed_.notify_all();
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> calls_;
};

}  // namespace tarvolin::testing
