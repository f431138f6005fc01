#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "app/app_state.h"
#include "device/attachment/bank_status.h"
#include "device/attachment/main_window_port.h"
#include "device/device_channel.h"
#include "i18n/language_table.h"
#include "model/config_state.h"
#include "platform/clock.h"
#include "platform/prompt.h"

// What the program does when the keyboard comes or goes (the attach handler) and when it
// reports something by itself (the event dispatcher).

namespace tarvolin::attachment {

// Event codes the keyboard sends on its consumer interface.
inline constexpr std::uint16_t kEventBankSwitched = 0x02FF;
inline constexpr std::uint16_t kEventLightingChanged = 0x0401;
inline constexpr std::uint16_t kEventMacroPlaying = 0x1811;
inline constexpr std::uint16_t kEventMacroStopped = 0x1810;

// Polling period of the attach handler while it waits for the tray icon.
inline constexpr std::uint32_t kTrayReadyPollMs = 50;

// What the device events reach. The window and the prompter are only used through the event
// gate; the rest are process-wide records that live until the process ends.
struct DeviceEventsContext {
  device::DeviceChannel& channel;
  MainWindowPort& window;
  Prompter& prompter;  // the default-layout failure, from an attach-handler thread
  const LanguageTable& texts = GlobalLanguageTable();
  AppState& app_state = TheAppState();
  model::DefaultKeyMap& default_key_map = model::TheDefaultKeyMap();
  BankStatus& bank = TheBankStatus();
  Clock& clock = SystemClock();
};

class DeviceEvents {
 public:
  explicit DeviceEvents(const DeviceEventsContext& context);
  DeviceEvents(const DeviceEvents&) = delete;
  DeviceEvents& operator=(const DeviceEvents&) = delete;
  // Closes the gate; threads still running finish without reaching the window.
  ~DeviceEvents();

  // Routes the channel's device-count changes to StartAttachRun and its event codes to
  // Dispatch. Call after DeviceChannel::Subscribe, before taking the first device count.
  void Connect();

  // The attach handler: a run for `device_count` on a new thread of its own, after every
  // run started before it. Called on the UI thread at start-up and on the HID library's
  // callback thread for every device-count change; returns at once.
  void StartAttachRun(int device_count);

  // The event dispatcher, on the HID library's callback thread. The bank switch flips the
  // bank and writes the bank status here; its window updates and the macro-state changes
  // run on threads of their own, in arrival order, so this thread (which also delivers the
  // replies the window may be waiting for) never waits for the window.
  void Dispatch(std::uint16_t event_code);

  // First step of shutdown, on the UI thread: from now on every event and every run is
  // dropped before it reaches the window. Returns once no device thread is inside a window
  // call; `wait_step` is run while waiting (the window pumps sent messages there).
  void CloseGate(const std::function<void()>& wait_step = {});

  // Returns once every attach run, bank update and macro-state worker started so far has
  // ended.
  void WaitUntilIdle();

  // The tray icon that shows the keyboard's presence (128 or 141); shown again when the
  // keyboard stops playing a macro.
  int PresenceIcon() const;

  struct Core;

 private:
  std::shared_ptr<Core> core_;
};

// The captions of the nine G buttons for a bank: "A1".."A5" or "B1".."B5", then four empty.
GKeyCaptions BankCaptions(int bank_bit);
// The bank indicator's state pictures: bank B O O O O N, bank A N N N N O.
BankIndicatorPictures BankIndicatorLook(int bank_bit);

}  // namespace tarvolin::attachment
