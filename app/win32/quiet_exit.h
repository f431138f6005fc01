#pragma once
// The start-up failures the program cannot work around end it with exit code 0 and no
// window, as users of this program expect; the reason still goes to the debugger output so
// that a support person can see it (DebugView, or WINEDEBUG=+debugstr under Wine).
#include <windows.h>

#include <string>

namespace tarvolin::app {

[[noreturn]] inline void ExitQuietly(const std::wstring& reason) {
  const std::wstring line = L"Tarvolin: " + reason + L"\n";
  OutputDebugStringW(line.c_str());
  ExitProcess(0);
}

}  // namespace tarvolin::app
