#include "ui/widgets/color_static.h"

#include "ui/widgets/message_reflection.h"

namespace tarvolin::widgets {

bool ColorStatic::Attach(HWND label) {
  if (!Subclass(label)) return false;
  RequestReflection(label);
  return true;
}

void ColorStatic::SetColours(COLORREF text, COLORREF background) {
  text_ = text;
  background_ = background;
  brush_.Reset(background == CLR_NONE ? nullptr : CreateSolidBrush(background));
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT ColorStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReflectedBase + WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, text_);
    if (background_ == CLR_NONE) {
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, background_);
    return reinterpret_cast<LRESULT>(brush_.get());
  }
  return SubclassedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin::widgets
