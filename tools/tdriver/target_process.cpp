#include "tools/tdriver/target_process.h"

#include <algorithm>

#include "platform/win32/process_list.h"
#include "platform/win32/unique_handle.h"

namespace tarvolin::tdriver {

std::vector<DWORD> ProcessIds(std::wstring_view exeName) {
  return win32::ProcessIdsOfProgram(exeName);
}

DWORD WindowProcessId(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

std::vector<HWND> TopLevelWindows(const std::vector<DWORD>& processIds) {
  struct Search {
    const std::vector<DWORD>* ids;
    std::vector<HWND> found;
  } search{&processIds, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (std::find(s->ids->begin(), s->ids->end(), WindowProcessId(window)) != s->ids->end()) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindMainWindow(const std::vector<DWORD>& processIds) {
  for (HWND window : TopLevelWindows(processIds)) {
    if (GetWindowLongPtrW(window, GWLP_USERDATA) == kMainWindowMarker) return window;
  }
  return nullptr;
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT is marshalled across processes, so this reads any window's text.
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 2000, &length)) {
    return {};
  }
  return std::wstring(text, std::min<size_t>(length, std::size(text) - 1));
}

std::wstring WindowClass(HWND window) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace tarvolin::tdriver
