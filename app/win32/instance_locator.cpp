#include "app/win32/instance_locator.h"

#include <tlhelp32.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "ui/main/main_window_ids.h"

namespace tarvolin::app {
namespace {

struct HandOverSearch {
  DWORD process;
  HandOverMode mode;
  bool handed_over;
};

BOOL CALLBACK OfferWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<HandOverSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process) return TRUE;
  if (GetWindowLongPtrW(window, GWLP_USERDATA) != mainwnd::kMainWindowMarker) return TRUE;
  if (search.mode == HandOverMode::kOpen) {
    SendMessageW(window, mainwnd::kMainMsgOpen, mainwnd::kOpenCode, 0);
  } else {
    SendMessageW(window, mainwnd::kMainMsgKill, mainwnd::kKillCode, 0);
  }
  search.handed_over = true;
  return FALSE;
}

}  // namespace

DWORD FindOtherInstance(std::wstring_view programFileName) {
  win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  const DWORD self = GetCurrentProcessId();
  const std::wstring wanted(programFileName);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == self) continue;
    if (CompareStringOrdinal(entry.szExeFile, -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL) {
      return entry.th32ProcessID;
    }
  }
  return 0;
}

bool HandOver(DWORD process, HandOverMode mode) {
  HandOverSearch search{process, mode, false};
  EnumWindows(&OfferWindow, reinterpret_cast<LPARAM>(&search));
  return search.handed_over;
}

}  // namespace tarvolin::app
