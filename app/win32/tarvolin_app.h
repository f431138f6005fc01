#pragma once
// CTarvolinApp: the start of the program, from the settings key to the end of the main
// window's modal loop.
#include <windows.h>

namespace tarvolin::app {

class CTarvolinApp {
 public:
  // The whole start-up and the life of the main window. Always returns FALSE: the process
  // ends when the main window's loop ends.
  BOOL InitInstance();
};

}  // namespace tarvolin::app
