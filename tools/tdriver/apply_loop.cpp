#include "tools/tdriver/apply_loop.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/number_text.h"
#include "tools/tdriver/fields.h"
#include "tools/tdriver/message_box.h"
#include "tools/tdriver/target_process.h"

namespace tarvolin::tdriver {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRestoreDefaultsId = 1138;
constexpr int kApplyId = 1006;
constexpr UINT kAnswerLimitMs = 120000;  // an Apply against a keyboard that went away
constexpr auto kBoxLimit = std::chrono::seconds(60);
constexpr char kRestoreQuestion[] = "Restore the default settings of this profile?";

// Waits for the program's message box to come (`present`) or go; false after the limit.
bool WaitForBox(const std::vector<DWORD>& ids, bool present, HWND& box) {
  const auto end = Clock::now() + kBoxLimit;
  while (((box = FindMessageBox(ids)) != nullptr) != present) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool SendCommand(HWND main, int id) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(main, WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL,
                             kAnswerLimitMs, &ignored) != 0;
}

bool RoundTrip(HWND main) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &ignored) != 0;
}

int Stop(const char* why, long rounds, long presses) {
  printf("rounds=%ld\npresses=%ld\n", rounds, presses);
  fprintf(stderr, "tdriver: apply-loop: %s\n", why);
  return 1;
}

}  // namespace

const char kApplyLoopUsage[] =
    "  apply-loop MS   for MS ms: restore defaults answered Yes, then Apply while it stays\n"
    "                  enabled, again and again: rounds, presses\n";

int RunApplyLoopCommand(const std::vector<std::string>& args, const std::wstring& exe) {
  if (args.empty() || args[0] != "apply-loop") return -1;
  long ms = 0;
  if (args.size() != 2 || !ParseNumber(args[1], 1, 3600000, ms)) {
    fprintf(stderr, "tdriver: usage: apply-loop MS\n");
    return 2;
  }
  const std::vector<DWORD> ids = ProcessIds(exe);
  HWND main = FindMainWindow(ids);
  if (main == nullptr) return Stop("no main window", 0, 0);
  long rounds = 0;
  long presses = 0;
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    // Posted: the question is modal, so a sent command would only return once answered.
    if (!PostMessageW(main, WM_COMMAND, kRestoreDefaultsId, 0)) {
      return Stop("the main window is gone", rounds, presses);
    }
    HWND box = nullptr;
    if (!WaitForBox(ids, true, box)) return Stop("restore defaults asked nothing", rounds, presses);
    if (Field(MessageBoxState(box), "text") != kRestoreQuestion) {
      return Stop("a message box other than the restore question", rounds, presses);
    }
    AnswerMessageBox(box, "yes");
    if (!WaitForBox(ids, false, box) || !RoundTrip(main)) {
      return Stop("the program does not answer", rounds, presses);
    }
    ++rounds;
    if (IsWindowEnabled(GetDlgItem(main, kApplyId))) {
      if (!SendCommand(main, kApplyId)) return Stop("Apply does not end", rounds, presses);
      ++presses;
    }
  }
  printf("rounds=%ld\npresses=%ld\n", rounds, presses);
  return 0;
}

}  // namespace tarvolin::tdriver
