#pragma once
// ColorStatic: static text with its own text and background colours (or a transparent
// background over a skin picture).
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>

#include "ui/skin/gdi_object.h"
#include "ui/widgets/subclassed_window.h"

namespace tarvolin::widgets {

class ColorStatic : public SubclassedWindow {
 public:
  bool Attach(HWND label);
  // A background of CLR_NONE draws the text straight over whatever is behind.
  void SetColours(COLORREF text, COLORREF background);
  COLORREF text_colour() const { return text_; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  COLORREF text_ = 0;
  COLORREF background_ = CLR_NONE;
  skin::BrushHandle brush_;
};

}  // namespace tarvolin::widgets
