// Halvrin.exe: started hidden by Tarvolin.exe. It shows no window and does nothing but wait:
// one instance per session, ending as soon as no Tarvolin.exe is running.
#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "tools/halvrin/program_watch.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  tarvolin::win32::UniqueHandle single(CreateMutexW(nullptr, FALSE, L"Halvrin_Mutex_Tarvolin"));
  if (!single || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  tarvolin::halvrin::WaitUntilNoInstanceRemains(tarvolin::halvrin::kProgramFileName);
  return 0;
}
