#pragma once
// Base of the widget classes: takes over an existing window's messages with
// SetWindowSubclass and lets the derived class see each one first.
#include <windows.h>

namespace tarvolin::widgets {

class SubclassedWindow {
 public:
  SubclassedWindow() = default;
  SubclassedWindow(const SubclassedWindow&) = delete;
  SubclassedWindow& operator=(const SubclassedWindow&) = delete;
  virtual ~SubclassedWindow();

  HWND hwnd() const { return hwnd_; }
  bool IsAttached() const { return hwnd_ != nullptr; }
  // Stops seeing the window's messages; the window itself lives on.
  void Detach();

 protected:
  bool Subclass(HWND window);
  // Handles one message; the default passes it on to the window's own procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  // Called when the window is being destroyed, just before the subclass is removed.
  virtual void OnWindowDestroyed() {}

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data);
  HWND hwnd_ = nullptr;
};

}  // namespace tarvolin::widgets
