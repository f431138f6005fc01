#include "ui/widgets/png_button.h"

#include <commctrl.h>

#include <vector>

#include "ui/skin/gdi_object.h"
#include "ui/skin/skin_surface.h"
#include "ui/widgets/button_text_layout.h"
#include "ui/widgets/message_reflection.h"

namespace tarvolin::widgets {
namespace {

constexpr int kBoldRotatedWeight = 956;
constexpr int kFramePenWidth = 2;
constexpr DWORD kHoverTimeMs = 1;
constexpr int kTooltipDelayMs = 2000;

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data());
}

}  // namespace

CPngButton::~CPngButton() {
  if (hwnd() != nullptr && IsWindow(hwnd())) RemovePropW(hwnd(), kFrameProperty);
}

bool CPngButton::Attach(HWND button) {
  if (!Subclass(button)) return false;
  RequestReflection(button);
  // The owner-draw type replaces whatever button type the template gave.
  const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  SetWindowLongPtrW(button, GWL_STYLE, (style & ~LONG_PTR{BS_TYPEMASK}) | BS_OWNERDRAW);
  SetWindowPos(button, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool CPngButton::Create(HWND parent, int id, const RECT& rect, const std::wstring& text) {
  HWND button = CreateWindowExW(
      0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, rect.left,
      rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (button == nullptr) return false;
  if (!Attach(button)) {
    DestroyWindow(button);
    return false;
  }
  return true;
}

void CPngButton::ClearMouseState() {
  hover_ = 0;
  tracking_ = 0;
  pressed_ = 0;
}

void CPngButton::Repaint() {
  if (hwnd() == nullptr) return;
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

void CPngButton::SetSkin(int sourceX, int sourceY, const skin::StatePictures& pictures) {
  source_x_ = sourceX;
  source_y_ = sourceY;
  pictures_ = pictures;
  ClearMouseState();
  Repaint();
}

void CPngButton::SetPictures(const skin::StatePictures& pictures) {
  pictures_ = pictures;
  ClearMouseState();
  Repaint();
}

void CPngButton::SetSelection(const skin::SkinSurface* unselected,
                              const skin::SkinSurface* selected, int selectionMode,
                              int isSelected) {
  unselected_ = unselected;
  selected_picture_ = selected;
  selection_mode_ = selectionMode;
  selected_ = isSelected;
  ClearMouseState();
  Repaint();
}

void CPngButton::SetChecked(int checked, bool repaint) {
  checked_ = checked;
  if (repaint) Repaint();
}

void CPngButton::SetTextStyle(int drawText, int pointSize, const std::wstring& face,
                              COLORREF colour, UINT format) {
  draw_text_ = drawText;
  font_size_ = pointSize;
  font_face_ = face;
  text_colour_ = colour;
  text_format_ = format;
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CPngButton::SetRotation(int escapement, int rotated) {
  escapement_ = escapement;
  rotated_ = rotated;
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CPngButton::SetTextOffsets(int left, int right, int top, int bottom) {
  text_offsets_ = RECT{left, top, right, bottom};
  if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, FALSE);
}

void CPngButton::SetFrame(COLORREF colour, int value, int on) {
  frame_colour_ = colour;
  frame_mode_ = on;
  frame_value_ = on != 0 && value > kMaxFrameValue ? kMaxFrameValue : value;
  // Published for readers outside the process (the end-to-end test driver): the colour with
  // bit 24 set while a frame is drawn, nothing otherwise.
  if (hwnd() != nullptr) {
    if (on != 0) {
      SetPropW(hwnd(), kFrameProperty,
               reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour & 0xFFFFFF) | 0x1000000));
    } else {
      RemovePropW(hwnd(), kFrameProperty);
    }
  }
  Repaint();
}

void CPngButton::EnsureTooltip() {
  if (tooltip_ || hwnd() == nullptr) return;
  tooltip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr));
  if (!tooltip_) return;
  // TTF_SUBCLASS: the tooltip sees the button's mouse messages itself.
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = 1;
  GetClientRect(hwnd(), &tool.rect);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_.get(), TTM_SETDELAYTIME, TTDT_AUTOMATIC, kTooltipDelayMs);
}

void CPngButton::SetTooltip(const std::wstring& text, bool active) {
  tooltip_text_ = text;
  EnsureTooltip();
  if (!tooltip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = hwnd();
  tool.uId = 1;
  GetClientRect(hwnd(), &tool.rect);
  SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  tool.lpszText = tooltip_text_.data();
  SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_.get(), TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

const skin::SkinSurface* CPngButton::PictureFor(ButtonPicture choice) const {
  switch (choice) {
    case ButtonPicture::kDisabled:
      return pictures_.disabled;
    case ButtonPicture::kSelected:
      return selected_picture_;
    case ButtonPicture::kUnselected:
      return unselected_;
    case ButtonPicture::kPressed:
      return pictures_.pressed;
    case ButtonPicture::kHover:
      return pictures_.hover;
    case ButtonPicture::kChecked:
      return pictures_.checked;
    case ButtonPicture::kNormal:
      return pictures_.normal;
  }
  return nullptr;
}

void CPngButton::DrawItem(const DRAWITEMSTRUCT& item) {
  pressed_ = (item.itemState & ODS_SELECTED) != 0 ? 1 : 0;
  ButtonState state;
  state.enabled = IsWindowEnabled(hwnd()) != FALSE;
  state.selectionMode = selection_mode_ != 0;
  state.selected = selected_ != 0;
  state.pressed = pressed_ != 0;
  state.hover = hover_ != 0;
  state.checked = checked_ != 0;
  const skin::SkinSurface* picture = PictureFor(ChooseButtonPicture(state));
  last_painted_ = picture;

  HDC dc = item.hDC;
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (frame_mode_ != 0) {
    skin::PenHandle pen(CreatePen(PS_SOLID, kFramePenWidth, frame_colour_));
    skin::SelectedObject usePen(dc, pen.get());
    skin::SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 1, 1, client.right - 1, client.bottom - 1);
  } else if (picture != nullptr && picture->IsReady()) {
    BitBlt(dc, 0, 0, client.right, client.bottom, picture->dc(), source_x_ - 1, source_y_ - 1,
           SRCCOPY);
  }
  if (draw_text_ != 0) DrawCaption(dc, client);
  if (hover_hook_) hover_hook_(hwnd(), picture == pictures_.normal ? 1 : 0);
}

void CPngButton::DrawCaption(HDC dc, const RECT& client) {
  const std::wstring text = WindowText(hwnd());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_colour_);
  int height = -MulDiv(font_size_, GetDeviceCaps(dc, LOGPIXELSY), 72);
  const auto makeFont = [&](int fontHeight) {
    return skin::FontHandle(CreateFontW(
        fontHeight, 0, escapement_, escapement_, rotated_ != 0 ? kBoldRotatedWeight : FW_NORMAL,
        FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, FF_SWISS, font_face_.c_str()));
  };
  skin::FontHandle font = makeFont(height);
  if (rotated_ != 0) {
    // A long caption at an angle rises above a low button: the font shrinks until it fits.
    skin::SelectedObject measure(dc, font.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const int fitted =
        FitRotatedFontHeight(height, extent.cx, extent.cy, escapement_, client.bottom - client.top);
    if (fitted != height) {
      height = fitted;
      font = makeFont(height);
    }
  }
  skin::SelectedObject useFont(dc, font.get());
  RECT box{client.left + text_offsets_.left, client.top + text_offsets_.top,
           client.right + text_offsets_.right, client.bottom + text_offsets_.bottom};
  if (rotated_ != 0) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const TextBox placed = PlaceRotatedText({box.left, box.top, box.right, box.bottom}, extent.cx,
                                            extent.cy, escapement_);
    box = RECT{placed.left, placed.top, placed.right, placed.bottom};
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, text_format_);
}

void CPngButton::RequestLeaveOnly() {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_CANCEL | TME_HOVER | TME_LEAVE;
  track.hwndTrack = hwnd();
  TrackMouseEvent(&track);
  track.dwFlags = TME_LEAVE;
  tracking_ = TrackMouseEvent(&track) ? 1 : 0;
}

void CPngButton::CancelMouseTracking() {
  if (hwnd() == nullptr || tracking_ == 0) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_CANCEL | TME_HOVER | TME_LEAVE;
  track.hwndTrack = hwnd();
  TrackMouseEvent(&track);
  tracking_ = 0;
  hover_ = 0;
}

LRESULT CPngButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kReflectedBase + WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ERASEBKGND:
      return TRUE;
    case BM_GETCHECK:
      // The checked look, read the usual way (the end-to-end test driver asks from outside).
      return checked_ != 0 ? BST_CHECKED : BST_UNCHECKED;
    case WM_LBUTTONDBLCLK:
      // Two quick clicks are two clicks, not a click and a double click.
      return CallDefault(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
      if (tracking_ == 0) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE | TME_HOVER;
        track.hwndTrack = hwnd();
        track.dwHoverTime = kHoverTimeMs;
        tracking_ = TrackMouseEvent(&track) ? 1 : 0;
      }
      break;
    case WM_MOUSEHOVER:
      hover_ = 1;
      // Hover has fired; only the leave stays wanted. Asking for it alone lets a system that
      // polls the pointer for leave tracking (Wine) do so at its default pace instead of
      // every hover period.
      RequestLeaveOnly();
      RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      if (tooltip_ || !tooltip_text_.empty()) {
        SetTooltip(tooltip_text_, true);
        SendMessageW(tooltip_.get(), TTM_UPDATE, 0, 0);
      }
      return 0;
    case WM_DESTROY:
      // The tooltip goes with the window; the handle must not outlive it.
      tooltip_.Reset();
      tracking_ = 0;
      hover_ = 0;
      break;
    case WM_MOUSELEAVE:
      tracking_ = 0;
      hover_ = 0;
      RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return 0;
    case WM_SIZE:
      if (tooltip_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = hwnd();
        tool.uId = 1;
        GetClientRect(hwnd(), &tool.rect);
        SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
      }
      break;
    default:
      break;
  }
  return SubclassedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin::widgets
