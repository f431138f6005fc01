// bench_program: the Win32 half of bench/program-bench. It starts a program and times it to
// a state with fine polling inside Wine (a tdriver call per poll would cost more than what is
// measured), and runs the show/hide and Apply cycles against the running Tarvolin.exe.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/number_text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "tools/tdriver/message_box.h"
#include "tools/tdriver/target_process.h"

namespace {

using tarvolin::win32::UniqueHandle;
using Clock = std::chrono::steady_clock;
constexpr UINT kMainMsgOpen = 0x5350;
constexpr WPARAM kOpenCode = 0x4F50454E;
constexpr int kCancelId = 2;
constexpr int kRestoreDefaultsId = 1138;
constexpr int kApplyId = 1006;
constexpr auto kPoll = std::chrono::milliseconds(2);
constexpr auto kTimeLimit = std::chrono::seconds(60);

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Polls `ready` until it holds; false after the time limit.
template <typename Ready>
bool WaitFor(Ready ready) {
  const auto end = Clock::now() + kTimeLimit;
  while (!ready()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}

HWND FirstVisibleWindow(DWORD pid) {
  for (HWND window : tarvolin::tdriver::TopLevelWindows({pid})) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

UINT_PTR TrayIcon(HWND main) {
  return reinterpret_cast<UINT_PTR>(GetPropW(main, L"TarvolinTrayIcon"));
}

// Answers after the window's thread has handled everything posted to it before.
bool RoundTrip(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored) != 0;
}

// start EXE until=window|tray [close]: milliseconds from CreateProcess to the first visible
// window (window) or to the main window's tray icon existing, that is tray ready (tray); for
// tray also to the icon showing the attached keyboard (141), when that comes within 15 s.
int Start(const std::wstring& exe, const std::string& until, bool close) {
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const auto start = Clock::now();
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    fprintf(stderr, "bench_program: cannot start the program (%lu)\n", GetLastError());
    return 2;
  }
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  HWND window = nullptr;
  const bool ok = WaitFor([&] {
    if (until == "window") return (window = FirstVisibleWindow(info.dwProcessId)) != nullptr;
    window = tarvolin::tdriver::FindMainWindow({info.dwProcessId});
    return window != nullptr && TrayIcon(window) != 0;
  });
  if (!ok) {
    fprintf(stderr, "bench_program: the program never reached '%s'\n", until.c_str());
    return 1;
  }
  printf("ms=%.1f\n", MsSince(start));
  if (until == "tray") {
    const auto end = Clock::now() + std::chrono::seconds(15);
    while (TrayIcon(window) != 141 && Clock::now() < end) std::this_thread::sleep_for(kPoll);
    if (TrayIcon(window) == 141) printf("attached_ms=%.1f\n", MsSince(start));
  }
  if (close) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.get(), 30000);
  }
  return 0;
}

// show-hide N: N times Open (as a second start sends it) and Cancel, each waited for.
int ShowHide(HWND main, long cycles) {
  const auto start = Clock::now();
  for (long i = 0; i < cycles; ++i) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main, kMainMsgOpen, kOpenCode, 0, SMTO_NORMAL, 60000, &ignored);
    if (!WaitFor([&] { return IsWindowVisible(main) != FALSE; })) return 1;
    PostMessageW(GetDlgItem(main, kCancelId), BM_CLICK, 0, 0);
    if (!WaitFor([&] { return IsWindowVisible(main) == FALSE; })) return 1;
  }
  printf("cycles=%ld ms_per_cycle=%.1f\n", cycles, MsSince(start) / static_cast<double>(cycles));
  return 0;
}

// applies N: N times restore defaults answered Yes, which clears the profile and applies it
// (a full download), each waited for to the end. ms_per_apply counts from the click;
// apply_ms from the answer to the window answering again, which is the Apply itself (it runs
// on the window's thread as soon as the question closes).
int Applies(HWND main, const std::vector<DWORD>& ids, long count) {
  const auto start = Clock::now();
  double apply_ms = 0;
  for (long i = 0; i < count; ++i) {
    PostMessageW(GetDlgItem(main, kRestoreDefaultsId), BM_CLICK, 0, 0);
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = tarvolin::tdriver::FindMessageBox(ids)) != nullptr; })) {
      fprintf(stderr, "bench_program: restore defaults asked nothing\n");
      return 1;
    }
    const auto answered = Clock::now();
    tarvolin::tdriver::AnswerMessageBox(box, "yes");
    if (!WaitFor([&] { return tarvolin::tdriver::FindMessageBox(ids) == nullptr; })) return 1;
    if (!RoundTrip(main)) return 1;
    apply_ms += MsSince(answered);
    if (!WaitFor([&] { return IsWindowEnabled(GetDlgItem(main, kApplyId)) == FALSE; })) {
      fprintf(stderr, "bench_program: an Apply did not finish\n");
      return 1;
    }
  }
  printf("applies=%ld ms_per_apply=%.1f apply_ms=%.1f\n", count,
         MsSince(start) / static_cast<double>(count), apply_ms / static_cast<double>(count));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Plain "\n" line ends, so the scripts reading the output need no clean-up.
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tarvolin::win32::Utf8FromWide(argv[i]));
  if (args.size() >= 3 && args[0] == "start") {
    return Start(tarvolin::win32::WideFromUtf8(args[1]), args[2],
                 args.size() > 3 && args[3] == "close");
  }
  long n = 0;
  if (args.size() == 2 && (args[0] == "show-hide" || args[0] == "applies") &&
      tarvolin::ParseNumber(args[1], 1, 100000, n)) {
    const std::vector<DWORD> ids = tarvolin::tdriver::ProcessIds(L"Tarvolin.exe");
    HWND main = tarvolin::tdriver::FindMainWindow(ids);
    if (main == nullptr) {
      fprintf(stderr, "bench_program: Tarvolin.exe is not running\n");
      return 2;
    }
    const int status = args[0] == "show-hide" ? ShowHide(main, n) : Applies(main, ids, n);
    fflush(stdout);
    return status;
  }
  fputs(
      "usage: bench_program start EXE window|tray [close]\n"
      "       bench_program show-hide N | applies N\n",
      stderr);
  return 64;
}
