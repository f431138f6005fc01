#include "ui/main/key_event_names.h"

namespace tarvolin::mainwnd {

std::wstring KeyEventName(int number) {
  std::wstring digits = std::to_wstring(number);
  if (digits.size() < 2) digits.insert(0, 1, L'0');
  return L"Tarvolin_Event_Main_" + digits;
}

}  // namespace tarvolin::mainwnd
