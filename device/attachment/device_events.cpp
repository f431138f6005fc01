#include "device/attachment/device_events.h"

#include "device/attachment/device_events_core.h"

namespace tarvolin::attachment {
namespace {

void StartRun(const std::shared_ptr<DeviceEvents::Core>& core, int device_count) {
  std::lock_guard lock(core->notice_mutex);
  const std::uint64_t notice = core->notices.load() + 1;
  if (device_count == 0) core->last_unplug_notice.store(notice);
  core->notices.store(notice);
  core->attach_runs.Start([core, device_count, notice] { RunAttach(*core, device_count, notice); });
}

}  // namespace

DeviceEvents::DeviceEvents(const DeviceEventsContext& context)
    : core_(std::make_shared<Core>(context)) {}

DeviceEvents::~DeviceEvents() {
  core_->gate.Close();
}

void DeviceEvents::Connect() {
  // The hooks hold the shared state, so a late callback never reaches freed memory.
  std::shared_ptr<Core> core = core_;
  core->context.channel.SetAttachHook([core](int count) { StartRun(core, count); });
  core->context.channel.SetEventHook([core](std::uint16_t code) { DispatchEvent(core, code); });
}

void DeviceEvents::StartAttachRun(int device_count) {
  StartRun(core_, device_count);
}

void DeviceEvents::Dispatch(std::uint16_t event_code) {
  DispatchEvent(core_, event_code);
}

void DeviceEvents::CloseGate(const std::function<void()>& wait_step) {
  core_->gate.Close(wait_step);
}

void DeviceEvents::WaitUntilIdle() {
  core_->attach_runs.WaitUntilIdle();
  core_->bank_updates.WaitUntilIdle();
  core_->macro_workers.WaitUntilIdle();
}

int DeviceEvents::PresenceIcon() const {
  return core_->presence_icon.load();
}

}  // namespace tarvolin::attachment
