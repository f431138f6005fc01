#include "tools/tdriver/window_queries.h"

#include "platform/win32/wide_text.h"
#include "tools/tdriver/target_process.h"

namespace tarvolin::tdriver {

namespace {

std::string Flag(bool on) {
  return on ? "1" : "0";
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

}  // namespace

HWND ControlOf(HWND main, int id) {
  return id == 0 ? main : GetDlgItem(main, id);
}

Fields ControlState(HWND control) {
  if (control == nullptr || !IsWindow(control)) return {{"present", "0"}};
  RECT rect{};
  GetWindowRect(control, &rect);
  DWORD_PTR check = 0;
  SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
  return {{"present", "1"},
          {"visible", Flag(IsWindowVisible(control) != FALSE)},
          {"enabled", Flag(IsWindowEnabled(control) != FALSE)},
          {"checked", Flag(check == BST_CHECKED)},
          {"rect", RectText(rect)},
          {"caption", win32::Utf8FromWide(WindowText(control))}};
}

Fields TrayState(HWND main) {
  const auto id = reinterpret_cast<UINT_PTR>(GetPropW(main, L"TarvolinTrayIcon"));
  return {{"tray", std::to_string(id)}};
}

Fields TopLevelSummary(const std::vector<DWORD>& processIds, std::string* listing) {
  int visible = 0;
  const std::vector<HWND> windows = TopLevelWindows(processIds);
  for (HWND window : windows) {
    const bool shown = IsWindowVisible(window) != FALSE;
    visible += shown ? 1 : 0;
    if (listing != nullptr) {
      char handle[32];
      snprintf(handle, sizeof handle, "0x%llx",
               static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
      *listing += std::string(handle) + " pid=" + std::to_string(WindowProcessId(window)) +
                  " visible=" + Flag(shown) + " class=" + win32::Utf8FromWide(WindowClass(window)) +
                  " title=" + win32::Utf8FromWide(WindowText(window)) + "\n";
    }
  }
  return {{"windows", std::to_string(windows.size())}, {"visible", std::to_string(visible)}};
}

bool PostButtonClick(HWND control) {
  return control != nullptr && PostMessageW(control, BM_CLICK, 0, 0) != FALSE;
}

bool PostMouseClick(HWND control) {
  if (control == nullptr) return false;
  RECT client{};
  GetClientRect(control, &client);
  const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
  return PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, centre) != FALSE &&
         PostMessageW(control, WM_LBUTTONUP, 0, centre) != FALSE;
}

}  // namespace tarvolin::tdriver
