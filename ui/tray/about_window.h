#pragma once
// The About window: one modeless window for the whole process (dialog 100, no owner), with
// the skin's link and the two text lines of the language file. OK and Cancel hide it.
#include <windows.h>

#include <string>

#include "ui/widgets/hyper_link.h"

namespace tarvolin::tray {

class AboutWindow {
 public:
  AboutWindow() = default;
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;
  ~AboutWindow();

  // Creates and shows the window; nothing while it is shown.
  void Open(const std::wstring& linkUrl);
  // Asked at shutdown: the window closes itself; it never refuses.
  bool CanClose();
  HWND hwnd() const { return hwnd_; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();

  HWND hwnd_ = nullptr;
  std::wstring link_url_;
  widgets::CHyperLink link_;
};

}  // namespace tarvolin::tray
