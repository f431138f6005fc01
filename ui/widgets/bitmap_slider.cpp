#include "ui/widgets/bitmap_slider.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/skin/device_context.h"
#include "ui/skin/gdi_object.h"
#include "ui/widgets/picture_file.h"

namespace tarvolin::widgets {

bool CBitmapSlider::Attach(HWND window) {
  if (!Subclass(window)) return false;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, style | WS_TABSTOP);
  return true;
}

bool CBitmapSlider::Create(HWND parent, const RECT& rect, int id) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return false;
  if (!Attach(window)) {
    DestroyWindow(window);
    return false;
  }
  return true;
}

void CBitmapSlider::SetRange(int minimum, int maximum) {
  minimum_ = std::min(minimum, maximum);
  maximum_ = std::max(minimum, maximum);
  SetPos(position_);
}

void CBitmapSlider::SetPos(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CBitmapSlider::SetPicture(HBITMAP picture) {
  picture_ = picture;
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
}

int CBitmapSlider::PositionAt(int x) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int width = std::max(1, static_cast<int>(client.right));
  const int steps = maximum_ - minimum_;
  // Each position owns an equal share of the width, centred on its mark.
  const int position = minimum_ + (std::clamp(x, 0, width - 1) * (steps + 1)) / width;
  return std::clamp(position, minimum_, maximum_);
}

void CBitmapSlider::MoveByUser(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_) return;
  SetPos(position);
  PostMessageW(GetParent(hwnd()), kSliderMovedMessage, static_cast<WPARAM>(GetDlgCtrlID(hwnd())),
               position_);
}

void CBitmapSlider::Paint() {
  skin::PaintScope paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (picture_ == nullptr) {
    FillRect(paint.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  skin::MemoryDc source(paint.get());
  skin::SelectedObject selected(source.get(), picture_);
  const SIZE size = BitmapSize(picture_);
  BitBlt(paint.get(), 0, 0, std::min<LONG>(size.cx, client.right),
         std::min<LONG>(size.cy, client.bottom), source.get(), 0, 0, SRCCOPY);
}

LRESULT CBitmapSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case TBM_GETPOS:  // read like a trackbar's (the end-to-end test driver asks from outside)
      return position_;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd());
      SetCapture(hwnd());
      dragging_ = true;
      MoveByUser(PositionAt(GET_X_LPARAM(lParam)));
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) MoveByUser(PositionAt(GET_X_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_LEFT || wParam == VK_DOWN) {
        MoveByUser(position_ - 1);
        return 0;
      }
      if (wParam == VK_RIGHT || wParam == VK_UP) {
        MoveByUser(position_ + 1);
        return 0;
      }
      if (wParam == VK_HOME) {
        MoveByUser(minimum_);
        return 0;
      }
      if (wParam == VK_END) {
        MoveByUser(maximum_);
        return 0;
      }
      break;
    // A trackbar underneath must not draw or act on its own.
    case WM_LBUTTONDBLCLK:
    case WM_KEYUP:
      return 0;
    default:
      break;
  }
  return SubclassedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin::widgets
