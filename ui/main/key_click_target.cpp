#include "ui/main/key_click_target.h"

#include "ui/main/main_window_ids.h"

namespace tarvolin::mainwnd {
namespace {

bool IsLateGButton(int id) {  // G6..G9 never take part in the key marks
  return id >= 1140 && id <= id::kG9;
}
bool IsFn(int id) {
  return id == id::kFn;
}
bool IsDKey(int id) {
  return id >= id::kFirstD && id < id::kFirstD + id::kDCount;
}

}  // namespace

KeyClickRoute RouteKeyClick(int buttonId, bool lightingModeOn) {
  if (lightingModeOn && !IsLateGButton(buttonId)) return KeyClickRoute::kMark;
  // Fn and D1..D6 are only there for the key marks.
  if (IsFn(buttonId) || IsDKey(buttonId)) return KeyClickRoute::kIgnored;
  return KeyClickRoute::kEditor;
}

void KeyClickTarget::Click(int buttonId) {
  switch (RouteKeyClick(buttonId, marker_.LightingModeOn())) {
    case KeyClickRoute::kMark:
      marker_.MarkKey(buttonId);
      break;
    case KeyClickRoute::kEditor:
      editor_.OpenForButton(buttonId);
      break;
    case KeyClickRoute::kIgnored:
      break;
  }
}

}  // namespace tarvolin::mainwnd
