#include "tools/tdriver/round_trip.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "platform/number_text.h"
#include "tools/tdriver/target_process.h"

namespace tarvolin::tdriver {

const char kRoundTripUsage[] =
    "  roundtrip [MS]  send WM_NULL to the main window and wait at most MS ms (default 2000)\n"
    "                  for its answer: answered, ms; exit 1 when it did not answer in time\n";

int RunRoundTripCommand(const std::vector<std::string>& args, const std::wstring& exe) {
  if (args.empty() || args[0] != "roundtrip") return -1;
  long limit_ms = 2000;
  if (args.size() > 2 || (args.size() == 2 && !ParseNumber(args[1], 1, 600000, limit_ms))) {
    fprintf(stderr, "tdriver: usage: roundtrip [MS]\n");
    return 2;
  }
  HWND main = FindMainWindow(ProcessIds(exe));
  if (main == nullptr) {
    printf("answered=0\n");
    return 1;
  }
  const auto start = std::chrono::steady_clock::now();
  DWORD_PTR ignored = 0;
  const bool answered = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL,
                                            static_cast<UINT>(limit_ms), &ignored) != 0;
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  printf("answered=%d\nms=%.1f\n", answered ? 1 : 0, ms);
  return answered ? 0 : 1;
}

}  // namespace tarvolin::tdriver
