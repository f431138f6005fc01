#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "device/hid_library.h"
#include "vkb/callback_dispatcher.h"
#include "vkb/keyboard_device.h"

namespace tarvolin::vkb {

// The virtual keyboard in this process behind the HID library's twelve entry points, for unit
// tests and the native tools. Replies, device-count changes and event codes reach the
// subscribers on a thread of the library's own, with the event record layout the channel
// reads. One per process, as the library's entry points carry no instance; Quorlink.dll
// reaches the one keyboard of the machine through the keyboard host instead.
class VirtualHidLibrary final : private KeyboardListener {
 public:
  static VirtualHidLibrary& Instance();

  // The entry points as a table, for binding in-process (tests, native tools).
  static device::HidLibraryApi Api();

  KeyboardDevice& keyboard() { return keyboard_; }
  Firmware& firmware() { return keyboard_.firmware(); }
  TrafficLog& traffic() { return keyboard_.traffic(); }

  // Back to a fresh state: factory memory, plugged in, no subscriptions, no faults.
  void Reset();

  // Attach and detach: every subscriber hears the new count.
  void Plug() { keyboard_.Plug(); }
  void Unplug() { keyboard_.Unplug(); }
  bool plugged() const { return keyboard_.plugged(); }
  // An event code sent by the keyboard on its consumer interface (0x02FF, 0x0401, ...).
  void SendEvent(std::uint16_t code) { keyboard_.SendEvent(code); }
  std::vector<std::uint8_t> LastStatusBytes() const { return keyboard_.LastStatusBytes(); }
  void SetAfterRequestHook(std::function<void(std::uint8_t command)> hook) {
    keyboard_.SetAfterRequestHook(std::move(hook));
  }
  void SetProductId(std::uint16_t product_id) { keyboard_.SetProductId(product_id); }
  std::uint16_t product_id() const { return keyboard_.product_id(); }

  // Waits until every queued callback has been delivered.
  void Drain() { dispatcher_.Drain(); }

  // Entry points.
  int Init(int flags);
  int DeviceCount(const device::DeviceSelector* selector);
  int WriteOne(const device::DeviceSelector* selector, const std::uint8_t* data, int length);
  int AsyncRead(const device::DeviceSelector* selector, device::InputCallback callback,
                std::uint32_t context, std::uint32_t* unit_id);
  int StatusWrite(const device::DeviceSelector* selector, device::InputCallback callback,
                  std::uint32_t context, const std::uint8_t* data, int length,
                  std::uint32_t* unit_id);
  int DeleteUnit(std::uint32_t unit_id);

 private:
  VirtualHidLibrary();
  void DeviceCountChanged(int count) override;
  void ConsumerInput(std::uint16_t event_code) override;
  void ProductIdChanged(std::uint16_t) override {}

  KeyboardDevice keyboard_;
  CallbackDispatcher dispatcher_;
};

}  // namespace tarvolin::vkb
