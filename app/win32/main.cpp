// Tarvolin.exe: the keyboard settings program.
#include <windows.h>

#include "app/win32/tarvolin_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // DLLs come from the system and the program folder, never from the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  tarvolin::app::CTarvolinApp application;
  application.InitInstance();
  // The HID library's thread may still be running: end here rather than run the static
  // destructors under it.
  ExitProcess(0);
}
