#include "ui/widgets/hyper_link.h"

#include <shellapi.h>

#include "ui/widgets/message_reflection.h"

namespace tarvolin::widgets {
namespace {
constexpr COLORREF kLinkColour = RGB(0, 0, 238);
constexpr COLORREF kVisitedColour = RGB(85, 26, 139);
}  // namespace

bool CHyperLink::Attach(HWND label) {
  if (!Subclass(label)) return false;
  RequestReflection(label);
  // Static controls report clicks only with SS_NOTIFY.
  SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | SS_NOTIFY);
  LOGFONTW font{};
  auto current = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  if (current == nullptr) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (GetObjectW(current, sizeof(font), &font) != 0) {
    font.lfUnderline = TRUE;
    underlined_.Reset(CreateFontIndirectW(&font));
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(underlined_.get()), FALSE);
  }
  return true;
}

bool CHyperLink::Open() const {
  if (url_.empty()) return false;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", url_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_LBUTTONUP:
      if (Open()) {
        visited_ = true;
        InvalidateRect(hwnd(), nullptr, TRUE);
      }
      break;
    case kReflectedBase + WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, visited_ ? kVisitedColour : kLinkColour);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    default:
      break;
  }
  return SubclassedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tarvolin::widgets
