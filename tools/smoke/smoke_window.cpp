// A minimal Win32 window with GDI drawing, to prove the GUI pipeline under Wine and Xvfb.
// It draws a gradient and text, then stays until closed (or for the given milliseconds).
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      for (int y = 0; y < client.bottom; y += 4) {
        const int shade = 30 + 60 * y / (client.bottom ? client.bottom : 1);
        HBRUSH brush = CreateSolidBrush(RGB(shade / 2, shade / 2, shade));
        RECT band{0, y, client.right, y + 4};
        FillRect(dc, &band, brush);
        DeleteObject(brush);
      }
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 220, 255));
      RECT upper = client;
      upper.bottom = client.bottom / 2;
      DrawTextW(dc, L"Tarvolin smoke test", -1, &upper, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
      // Chinese through Tahoma: proves the prefix's font links reach a CJK font.
      HFONT tahoma = CreateFontW(-20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                 DEFAULT_PITCH, L"Tahoma");
      HGDIOBJ previous = SelectObject(dc, tahoma);
      SetTextColor(dc, RGB(255, 255, 255));
      RECT lower = client;
      lower.top = client.bottom / 2 + 8;
      DrawTextW(dc, L"\x952E\x76D8\x8BBE\x7F6E Tahoma", -1, &lower,
                DT_CENTER | DT_TOP | DT_SINGLELINE);
      SelectObject(dc, previous);
      DeleteObject(tahoma);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = L"TarvolinSmoke";
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"TarvolinSmoke", L"Tarvolin smoke", WS_OVERLAPPEDWINDOW, 0, 0,
                                400, 200, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  const int lifetime_ms = _wtoi(command_line);
  if (lifetime_ms > 0) SetTimer(window, 1, static_cast<UINT>(lifetime_ms), nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
