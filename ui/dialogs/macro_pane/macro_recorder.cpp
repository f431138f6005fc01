#include "ui/dialogs/macro_pane/macro_recorder.h"

#include "platform/win32/unique_hook.h"
#include "ui/dialogs/macro_pane/macro_steps.h"
#include "ui/dialogs/macro_pane/recorder_rules.h"

namespace tarvolin::dialogs {
namespace {

// The one recording of the process: the hook procedures have no other way to their owner.
struct RecorderState {
  RecordingSink* sink = nullptr;
  win32::UniqueHook threadHook;
  win32::UniqueHook lowLevelHook;
  DWORD lastTick = 0;
  std::uint32_t lastWindowsKey = 0;
};
RecorderState& State() {
  static RecorderState state;
  return state;
}

void Deliver(const HookVerdict& verdict) {
  RecorderState& state = State();
  if (!verdict.record || state.sink == nullptr) return;
  const DWORD now = GetTickCount();
  if (verdict.pressFirst) {
    state.sink->OnRecordedStep(kReleaseOnlyPressDelayMs, verdict.code, 0);
    if (state.sink == nullptr) return;  // the sink stopped at its limit
  }
  state.sink->OnRecordedStep(now - state.lastTick, verdict.code, verdict.direction);
  state.lastTick = now;
}

LRESULT CALLBACK ThreadHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && State().sink != nullptr) {
    const HookVerdict verdict =
        ThreadHookVerdict(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
    Deliver(verdict);
    if (verdict.swallow) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK LowLevelHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && State().sink != nullptr) {
    const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    const HookVerdict verdict = WindowsKeyVerdict(down, event.vkCode, State().lastWindowsKey);
    Deliver(verdict);
    if (verdict.swallow) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool MacroRecorder::Start(RecordingSink& sink) {
  Stop();
  RecorderState& state = State();
  win32::UniqueHook threadHook(
      SetWindowsHookExW(WH_KEYBOARD, ThreadHookProc, nullptr, GetCurrentThreadId()));
  win32::UniqueHook lowLevelHook(
      SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelHookProc, GetModuleHandleW(nullptr), 0));
  if (!threadHook || !lowLevelHook) return false;
  state.threadHook = std::move(threadHook);
  state.lowLevelHook = std::move(lowLevelHook);
  state.lastTick = GetTickCount();
  state.lastWindowsKey = 0;
  state.sink = &sink;
  return true;
}

void MacroRecorder::Stop() {
  RecorderState& state = State();
  state.sink = nullptr;
  state.threadHook.Reset();
  state.lowLevelHook.Reset();
}

bool MacroRecorder::IsRecording() {
  return State().sink != nullptr;
}

bool MacroRecorder::IsRecordingFor(const RecordingSink& sink) {
  return State().sink == &sink;
}

}  // namespace tarvolin::dialogs
