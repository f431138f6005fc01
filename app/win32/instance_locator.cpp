#include "app/win32/instance_locator.h"

#include "platform/win32/process_list.h"
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
  const DWORD self = GetCurrentProcessId();
  for (const DWORD id : win32::ProcessIdsOfProgram(programFileName)) {
    if (id != self) return id;
  }
  return 0;
}

bool HandOver(DWORD process, HandOverMode mode) {
  HandOverSearch search{process, mode, false};
  EnumWindows(&OfferWindow, reinterpret_cast<LPARAM>(&search));
  return search.handed_over;
}

}  // namespace tarvolin::app
