#pragma once
// CHyperLink: static text that looks like a link and opens its address when clicked.
#include <windows.h>

#include <string>

#include "ui/skin/gdi_object.h"
#include "ui/widgets/subclassed_window.h"

namespace tarvolin::widgets {

class CHyperLink : public SubclassedWindow {
 public:
  bool Attach(HWND label);
  void SetUrl(std::wstring url) { url_ = std::move(url); }
  const std::wstring& url() const { return url_; }
  // Opens the address with the shell's "open" verb; true when the shell accepted it.
  bool Open() const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::wstring url_;
  skin::FontHandle underlined_;
  bool visited_ = false;
};

}  // namespace tarvolin::widgets
