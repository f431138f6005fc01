#include "tools/tdriver/respond_command.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tools/tdriver/target_process.h"

namespace tarvolin::tdriver {

const char kRespondUsage[] =
    "  respond MS      whether the main window's thread handles a message within MS ms:\n"
    "                  answered, ms (exit 1 when it does not)\n";

int RunRespondCommand(const std::vector<std::string>& args, const std::wstring& exe) {
  if (args.empty() || args[0] != "respond") return -1;
  char* end = nullptr;
  const long ms = args.size() == 2 ? std::strtol(args[1].c_str(), &end, 10) : -1;
  if (ms < 0 || end == nullptr || *end != '\0') {
    fputs("tdriver: usage: respond MS\n", stderr);
    return 2;
  }
  HWND main = FindMainWindow(ProcessIds(exe));
  if (main == nullptr) {
    fputs("tdriver: no main window\n", stderr);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  DWORD_PTR ignored = 0;
  // WM_NULL waits in line behind everything the thread was sent before.
  const bool answered =
      SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(ms), &ignored) != 0;
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  printf("answered=%d\nms=%lld\n", answered ? 1 : 0, static_cast<long long>(took.count()));
  return answered ? 0 : 1;
}

}  // namespace tarvolin::tdriver
