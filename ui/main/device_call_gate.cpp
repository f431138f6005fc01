#include "ui/main/device_call_gate.h"

namespace tarvolin::mainwnd {

DeviceCallGate::Pass DeviceCallGate::Enter() {
  std::lock_guard lock(mutex_);
  if (!open_) return Pass();
  ++inside_;
  return Pass(this);
}

void DeviceCallGate::Leave() {
  --inside_;
}

void DeviceCallGate::Close(const std::function<void()>& waitOnce) {
  {
    std::lock_guard lock(mutex_);
    open_ = false;
  }
  while (inside_.load() > 0) waitOnce();
}

}  // namespace tarvolin::mainwnd
