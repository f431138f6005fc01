#pragma once
#include <atomic>
#include <cstdint>
#include <functional>

namespace tarvolin::lighting {

// The keyboard's event code for "its lighting was changed with key combinations".
inline constexpr std::uint16_t kLightingChangedEvent = 0x0401;
// The main window's timer that moves the reload onto the user-interface thread.
inline constexpr int kLightingReloadTimerId = 1051;

// Carries a lighting change reported by the keyboard from the HID library's thread to the
// user-interface thread: the event hook calls OnKeyboardEvent, which asks for the timer; the
// timer handler runs LightingController::OnLightingChangedTimer. A read never runs on the
// library's thread.
class LightingChangeNotice {
 public:
  // `start_timer` starts timer 1051 with a 0 ms period; it must be callable from any thread.
  explicit LightingChangeNotice(std::function<void()> start_timer = {});

  // Any thread. True when the code was the lighting-changed event.
  bool OnKeyboardEvent(std::uint16_t event_code);
  // User-interface thread: whether a change arrived since the last call; clears it.
  bool TakePending();

 private:
  std::function<void()> start_timer_;
  std::atomic<bool> pending_{false};
};

}  // namespace tarvolin::lighting
