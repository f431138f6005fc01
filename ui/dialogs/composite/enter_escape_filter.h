#pragma once
// Keeps Enter and Escape from the dialog manager while the composite dialog runs, so neither
// closes it: a message-filter hook on the dialog's thread sees each message of the modal
// loop before the dialog manager turns those keys into OK and Cancel.
#include <windows.h>

#include "platform/win32/unique_hook.h"

namespace tarvolin::composite {

class EnterEscapeFilter {
 public:
  EnterEscapeFilter() = default;
  EnterEscapeFilter(const EnterEscapeFilter&) = delete;
  EnterEscapeFilter& operator=(const EnterEscapeFilter&) = delete;
  ~EnterEscapeFilter() { Remove(); }

  void Install(HWND dialog);
  void Remove();

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  win32::UniqueHook hook_;
};

}  // namespace tarvolin::composite
