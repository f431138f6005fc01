#pragma once
// Start-up failures the program cannot work around (a skin picture object that cannot be
// made, a background that cannot be loaded) end the process quietly with exit code 0.
#include <windows.h>

namespace tarvolin::skin {

[[noreturn]] inline void EndProcessSilently() {
  ExitProcess(0);
}

}  // namespace tarvolin::skin
