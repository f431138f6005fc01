#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>

#include "device/attachment/device_events.h"
#include "device/attachment/event_gate.h"
#include "device/attachment/ordered_runs.h"

// The state shared by the attach runs, the dispatcher and their worker threads. Every thread
// holds it, so it outlives the DeviceEvents object that made it.

namespace tarvolin::attachment {

struct DeviceEvents::Core {
  explicit Core(const DeviceEventsContext& c) : context(c) {}

  DeviceEventsContext context;
  EventGate gate;
  OrderedRuns attach_runs;
  OrderedRuns bank_updates;
  OrderedRuns macro_workers;
  // Set while a tray icon change of the macro state or of presence is under way.
  std::atomic<int> macro_state_busy{0};
  std::atomic<int> presence_icon{kIconKeyboardAbsent};
  // Device-count notices are numbered as they come (under the mutex, so in the order their
  // runs are queued); the number of the latest that said the keyboard is gone tells a plug
  // run whether its keyboard has left again since.
  std::mutex notice_mutex;
  std::atomic<std::uint64_t> notices{0};
  std::atomic<std::uint64_t> last_unplug_notice{0};
  // Set when an unplug's run was passed over for a newer notice.
  std::atomic<bool> unplug_passed_over{false};
};

// One attach-handler run for device count `n`, the count of notice number `notice`.
void RunAttach(DeviceEvents::Core& core, int n, std::uint64_t notice);
// The event dispatcher.
void DispatchEvent(const std::shared_ptr<DeviceEvents::Core>& core, std::uint16_t code);
// Takes the macro-state busy flag (waiting 1 ms between looks) and gives it back.
class MacroStateTurn {
 public:
  MacroStateTurn(DeviceEvents::Core& core);
  ~MacroStateTurn();
  MacroStateTurn(const MacroStateTurn&) = delete;
  MacroStateTurn& operator=(const MacroStateTurn&) = delete;

 private:
  DeviceEvents::Core& core_;
};

}  // namespace tarvolin::attachment
