#include "lighting/lighting_change_notice.h"

#include <utility>

namespace tarvolin::lighting {

LightingChangeNotice::LightingChangeNotice(std::function<void()> start_timer)
    : start_timer_(std::move(start_timer)) {}

bool LightingChangeNotice::OnKeyboardEvent(std::uint16_t event_code) {
  if (event_code != kLightingChangedEvent) return false;
  pending_.store(true);
  if (start_timer_) start_timer_();
  return true;
}

bool LightingChangeNotice::TakePending() {
  return pending_.exchange(false);
}

}  // namespace tarvolin::lighting
