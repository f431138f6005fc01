#include "ui/main/key_event_handles.h"

#include "ui/main/key_event_names.h"

namespace tarvolin::mainwnd {

void KeyEventHandles::Create() {
  handles_.clear();
  handles_.reserve(kKeyEventCount);
  for (int number = 1; number <= kKeyEventCount; ++number) {
    handles_.emplace_back(CreateEventW(nullptr, FALSE, FALSE, KeyEventName(number).c_str()));
  }
}

}  // namespace tarvolin::mainwnd
