#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "device/device_report.h"
#include "device/hid_library.h"
#include "vkb/firmware.h"
#include "vkb/traffic_log.h"

namespace tarvolin::vkb {

// What the keyboard sends without being asked, to every library attached to it.
class KeyboardListener {
 public:
  virtual ~KeyboardListener() = default;
  virtual void DeviceCountChanged(int count) = 0;
  virtual void ConsumerInput(std::uint16_t event_code) = 0;
  // The USB product id changed: the count a selector sees may differ now.
  virtual void ProductIdChanged(std::uint16_t product_id) = 0;
};

// A status write the keyboard takes: two bytes, to its indicator interface, with the LED
// context.
bool IsIndicatorWrite(const device::DeviceSelector& selector, std::uint32_t context,
                      std::size_t length);

// The one virtual keyboard as the USB side sees it: its firmware, whether it is plugged in,
// its product id, the indicator bytes last written, and every report exchanged. Libraries
// attach as listeners; in-process there is one, in the host one per client process.
// Thread-safe.
class KeyboardDevice {
 public:
  Firmware& firmware() { return firmware_; }
  TrafficLog& traffic() { return traffic_; }

  // Factory memory, plugged in, no faults, the build's product id, no status bytes.
  void Reset();

  // Answers one request as the keyboard would: after the injected latency, logged both ways,
  // then the after-request hook. The reports it sends back in order: none when the reply is
  // dropped, two when a stray report follows it.
  std::vector<device::ReportBytes> Answer(const device::ReportBytes& request);

  // True when `selector` names this keyboard (vendor and current product id) while plugged.
  bool Presents(const device::DeviceSelector& selector) const;

  void Plug();
  void Unplug();
  bool plugged() const;
  void SendEvent(std::uint16_t code);

  // Two bytes for the indicator interface. False (nothing kept) unless the selector is the
  // indicator interface of this keyboard and the context the LED code, as the keyboard's
  // library requires.
  bool StatusWrite(const device::DeviceSelector& selector, std::uint32_t context,
                   std::span<const std::uint8_t> bytes);
  std::vector<std::uint8_t> LastStatusBytes() const;

  void SetProductId(std::uint16_t product_id);
  std::uint16_t product_id() const;

  // Called after every answered request with its command byte (the state file is saved here).
  void SetAfterRequestHook(std::function<void(std::uint8_t command)> hook);

  void AddListener(KeyboardListener* listener);
  // Returns once no notification reaches the listener any more.
  void RemoveListener(KeyboardListener* listener);

 private:
  template <typename Notify>
  void NotifyAll(Notify&& notify);

  Firmware firmware_;
  TrafficLog traffic_;

  mutable std::mutex mutex_;
  bool plugged_ = true;
  std::uint16_t product_id_ = device::kProductId;
  std::vector<std::uint8_t> last_status_;
  std::function<void(std::uint8_t)> after_request_;

  // Held while notifying, so a listener that is removed is never called afterwards.
  std::mutex listeners_mutex_;
  std::vector<KeyboardListener*> listeners_;
};

}  // namespace tarvolin::vkb
