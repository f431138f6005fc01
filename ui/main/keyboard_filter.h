#pragma once
// The main window's keyboard filter: Enter and Escape never reach the dialog manager (which
// would take them for OK and Cancel), and the arrow keys are kept from the lighting effect
// list while it has the focus. Installed on the thread for the life of the window's modal
// loop, where it sees each message before the dialog manager does.
#include <windows.h>

namespace tarvolin::mainwnd {

// True for a message the filter swallows. Portable rule over plain numbers.
bool IsFilteredKey(UINT message, WPARAM key, bool effectListHasFocus);

class KeyboardFilter {
 public:
  KeyboardFilter() = default;
  KeyboardFilter(const KeyboardFilter&) = delete;
  KeyboardFilter& operator=(const KeyboardFilter&) = delete;
  ~KeyboardFilter() { Remove(); }

  // `window` is the main window; `effectList` the lighting effect list.
  void Install(HWND window, int effectListId);
  void Remove();

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_ = nullptr;
};

}  // namespace tarvolin::mainwnd
