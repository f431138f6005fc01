#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "device/hid_library.h"
#include "vkb/callback_dispatcher.h"
#include "vkb/host_protocol.h"
#include "vkb/quorlink/host_address.h"
#include "vkb/quorlink/message_pipe.h"

namespace tarvolin::vkb {

// Quorlink.dll's side of the one virtual keyboard: a client of the keyboard host. Requests go
// to the host; its replies, device-count changes and event codes reach this process's
// subscriptions on the library's own thread. When the host goes away the keyboard counts as
// unplugged and the client connects again (starting a new host), as a replugged keyboard.
class QuorlinkClient {
 public:
  static QuorlinkClient& Instance();

  int Init();
  int DeviceCount(const device::DeviceSelector* selector);
  int WriteOne(const device::DeviceSelector* selector, const std::uint8_t* data, int length);
  int AsyncRead(const device::DeviceSelector* selector, device::InputCallback callback,
                std::uint32_t context, std::uint32_t* unit_id);
  int StatusWrite(const device::DeviceSelector* selector, std::uint32_t context,
                  const std::uint8_t* data, int length, std::uint32_t* unit_id);
  int DeleteUnit(std::uint32_t unit_id);

 private:
  QuorlinkClient() = default;
  // Connects and takes the welcome; false when no host could be reached.
  bool Connect();
  void ReadLoop();
  void Handle(const host::Message& message);
  void SetPlugged(bool plugged);
  std::shared_ptr<MessagePipe> pipe();
  bool Presents(const device::DeviceSelector& selector);

  HostAddress address_;
  CallbackDispatcher dispatcher_;
  std::mutex mutex_;
  std::shared_ptr<MessagePipe> pipe_;
  host::KeyboardState state_;
  std::once_flag started_;
  bool ready_ = false;
};

}  // namespace tarvolin::vkb
