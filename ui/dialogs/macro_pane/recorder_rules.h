#pragma once
// What the recorder's two keyboard hooks do with one event: pass it on, swallow it, or record
// it as one or two steps. Portable; the hooks themselves are Win32.
#include <cstdint>

namespace tarvolin::dialogs {

struct HookVerdict {
  bool swallow = false;     // return 1 instead of passing the event on
  bool record = false;      // insert the step below
  bool pressFirst = false;  // a release-only key: insert its press (2 ms) first
  std::uint16_t code = 0;
  std::uint16_t direction = 0;  // 0 press, 1 release
};

// The thread hook (WH_KEYBOARD): `vk` is wParam, `flags` lParam. Events without a key code
// and media keys pass (so volume keys keep working); auto-repeats are swallowed unrecorded;
// everything else is recorded and swallowed, so the dialog never sees recorded keys.
HookVerdict ThreadHookVerdict(std::uint32_t vk, std::uint64_t flags);

// The low-level hook (WH_KEYBOARD_LL), which takes only the two Windows keys so the Start menu
// does not open while recording. `lastWindowsKey` is the virtual key of the last Windows-key
// press (0 after a release) and is updated. Every other key passes untouched.
HookVerdict WindowsKeyVerdict(bool keyDown, std::uint32_t vk, std::uint32_t& lastWindowsKey);

}  // namespace tarvolin::dialogs
