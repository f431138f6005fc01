#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_library.h"
#include "vkb/firmware.h"
#include "vkb/traffic_log.h"

namespace tarvolin::vkb {

// The virtual keyboard behind the HID library's twelve entry points. Replies, device-count
// changes and event codes reach the subscribers on a thread of the library's own, with the
// event record layout the channel reads. One per process, as the library's entry points
// carry no instance.
class VirtualHidLibrary {
 public:
  static VirtualHidLibrary& Instance();

  // The entry points as a table, for binding in-process (tests, native tools).
  static device::HidLibraryApi Api();

  Firmware& firmware() { return firmware_; }
  TrafficLog& traffic() { return traffic_; }

  // Back to a fresh state: factory memory, plugged in, no subscriptions, no faults.
  void Reset();

  // Attach and detach: subscribers on the control interface hear the new count.
  void Plug();
  void Unplug();
  bool plugged() const;

  // An event code sent by the keyboard on its consumer interface (0x02FF, 0x0401, ...).
  void SendEvent(std::uint16_t code);

  // The last two bytes written to the indicator interface (bank status).
  std::vector<std::uint8_t> LastStatusBytes() const;

  // Called after every handled request with its command byte, e.g. to save the state file.
  void SetAfterRequestHook(std::function<void(std::uint8_t command)> hook);

  // The USB product id the keyboard reports; a program looking for another id sees none.
  void SetProductId(std::uint16_t product_id);
  std::uint16_t product_id() const;

  // Waits until every queued callback has been delivered.
  void Drain();

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

  ~VirtualHidLibrary();

 private:
  VirtualHidLibrary();
  struct Subscription {
    std::uint32_t id;
    device::DeviceSelector selector;
    device::InputCallback callback;
    std::uint32_t context;
  };
  struct Delivery {
    std::uint32_t kind;
    std::vector<std::uint8_t> bytes;  // input bytes (kind 1) or empty
    std::uint32_t count;              // device count for kind 0
    bool consumer;                    // consumer interface input
  };
  bool IsOurKeyboard(const device::DeviceSelector* selector) const;
  void Enqueue(Delivery delivery);
  void DeliveryLoop();
  void Deliver(const Delivery& delivery);

  Firmware firmware_;
  TrafficLog traffic_;

  mutable std::mutex mutex_;
  std::condition_variable queue_cv_;
  std::condition_variable drained_cv_;
  std::deque<Delivery> queue_;
  bool delivering_ = false;
  bool stopping_ = false;
  bool plugged_ = true;
  std::uint32_t next_unit_ = 1;
  std::vector<Subscription> subscriptions_;
  std::vector<std::uint8_t> last_status_;
  std::function<void(std::uint8_t)> after_request_;
  std::uint16_t product_id_ = device::kProductId;
  std::thread thread_;
};

}  // namespace tarvolin::vkb
