#pragma once
// The single-key tab's capture: a keyboard hook on the dialog's thread takes the next key
// pressed, and a low-level hook takes the Windows and Application keys before the system
// acts on them. Both exist exactly while the capture is started; destruction removes them.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "platform/win32/unique_hook.h"

namespace tarvolin::composite {

class SingleKeyCapture {
 public:
  using Listener = std::function<void(std::uint16_t code)>;

  SingleKeyCapture() = default;
  SingleKeyCapture(const SingleKeyCapture&) = delete;
  SingleKeyCapture& operator=(const SingleKeyCapture&) = delete;
  ~SingleKeyCapture() { Stop(); }

  // Installs both hooks for the calling thread; `listener` hears every captured code. A
  // capture already running only takes the new listener. False when a hook could not be
  // installed (then neither is).
  bool Start(Listener listener);
  void Stop();
  bool active() const { return static_cast<bool>(thread_hook_); }

 private:
  static LRESULT CALLBACK ThreadHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK LowLevelHook(int code, WPARAM wParam, LPARAM lParam);
  void Deliver(std::uint16_t code);

  win32::UniqueHook thread_hook_;
  win32::UniqueHook low_level_hook_;
  Listener listener_;
};

}  // namespace tarvolin::composite
