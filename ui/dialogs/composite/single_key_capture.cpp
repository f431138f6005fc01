#include "ui/dialogs/composite/single_key_capture.h"

#include "model/key_event.h"
#include "ui/dialogs/composite/composite_rules.h"

namespace tarvolin::composite {
namespace {

// Hook procedures get no context: the one running capture of the process. Only one dialog
// captures at a time, and it runs on the thread that installed the hooks.
SingleKeyCapture* g_running = nullptr;

constexpr LPARAM kReleaseBit = LPARAM{1} << 31;
constexpr LPARAM kPreviousStateBit = LPARAM{1} << 30;

}  // namespace

bool SingleKeyCapture::Start(Listener listener) {
  listener_ = std::move(listener);
  if (active()) return true;
  win32::UniqueHook thread(
      SetWindowsHookExW(WH_KEYBOARD, &SingleKeyCapture::ThreadHook, nullptr, GetCurrentThreadId()));
  win32::UniqueHook lowLevel(SetWindowsHookExW(WH_KEYBOARD_LL, &SingleKeyCapture::LowLevelHook,
                                               GetModuleHandleW(nullptr), 0));
  if (!thread || !lowLevel) return false;
  thread_hook_ = std::move(thread);
  low_level_hook_ = std::move(lowLevel);
  g_running = this;
  return true;
}

void SingleKeyCapture::Stop() {
  thread_hook_.Reset();
  low_level_hook_.Reset();
  if (g_running == this) g_running = nullptr;
}

void SingleKeyCapture::Deliver(std::uint16_t code) {
  if (listener_) listener_(code);
}

LRESULT CALLBACK SingleKeyCapture::ThreadHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_running != nullptr) {
    const std::uint16_t key =
        model::CodeFromKeyEvent(static_cast<std::uint32_t>(wParam),
                                static_cast<std::uint64_t>(static_cast<std::uint32_t>(lParam)));
    const bool release = (lParam & kReleaseBit) != 0;
    const bool repeat = !release && (lParam & kPreviousStateBit) != 0;
    switch (JudgeKeyEvent(key, release, repeat)) {
      case CaptureVerdict::kPass:
        break;
      case CaptureVerdict::kSwallow:
        return 1;
      case CaptureVerdict::kCapture:
        g_running->Deliver(key);
        return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK SingleKeyCapture::LowLevelHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_running != nullptr) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const std::uint16_t key = CodeOfLowLevelKey(event->vkCode);
    if (key != 0 && (wParam == WM_KEYDOWN || wParam == WM_KEYUP || wParam == WM_SYSKEYDOWN ||
                     wParam == WM_SYSKEYUP)) {
      // Taken on any of its events, as the key is held or let go, so the system never sees
      // it; capturing the same code again changes nothing.
      g_running->Deliver(key);
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarvolin::composite
