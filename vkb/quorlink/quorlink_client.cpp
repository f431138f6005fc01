#include "vkb/quorlink/quorlink_client.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <thread>

#include "vkb/keyboard_device.h"
#include "vkb/quorlink/host_connection.h"

namespace tarvolin::vkb {
namespace {

constexpr DWORD kReconnectPauseMs = 250;

}  // namespace

QuorlinkClient& QuorlinkClient::Instance() {
  // Never destroyed: at process exit Windows ends its threads before static destructors run.
  static QuorlinkClient* client = new QuorlinkClient;
  return *client;
}

int QuorlinkClient::Init() {
  std::call_once(started_, [this] {
    static const int anchor_in_this_module = 0;
    address_ = LocateHost(ModuleFolder(&anchor_in_this_module));
    // A host that is just ending may drop the first connection; the next try starts a new one.
    bool connected = false;
    for (int tries = 0; tries < 3 && !connected; ++tries) connected = Connect();
    if (!connected) return;
    ready_ = true;
    std::thread([this] { ReadLoop(); }).detach();
  });
  return ready_ ? 1 : 0;
}

bool QuorlinkClient::Connect() {
  std::unique_ptr<MessagePipe> pipe = ConnectToHost(address_, true);
  if (!pipe || !pipe->Send(host::Hello())) return false;
  const auto bytes = pipe->Receive();
  if (!bytes) return false;
  const auto message = host::Decode(*bytes);
  std::string notice;
  const auto state = message ? host::ReadWelcome(*message, notice) : std::nullopt;
  if (!state) return false;
  if (!notice.empty()) std::fprintf(stderr, "%s\n", notice.c_str());
  bool was_plugged = false;
  {
    std::lock_guard lock(mutex_);
    was_plugged = state_.plugged;
    state_ = *state;
    pipe_ = std::move(pipe);
  }
  if (was_plugged != state->plugged) dispatcher_.PostDeviceCount(state->plugged ? 1 : 0);
  return true;
}

void QuorlinkClient::ReadLoop() {
  for (;;) {
    const std::shared_ptr<MessagePipe> current = pipe();
    while (current) {
      const auto bytes = current->Receive();
      if (!bytes) break;
      if (const auto message = host::Decode(*bytes)) Handle(*message);
    }
    // The host is gone: to this process the keyboard was unplugged until a host answers again.
    {
      std::lock_guard lock(mutex_);
      pipe_.reset();
    }
    SetPlugged(false);
    while (!Connect()) Sleep(kReconnectPauseMs);
  }
}

void QuorlinkClient::Handle(const host::Message& message) {
  switch (message.type) {
    case host::MessageType::kReply:
      dispatcher_.PostControlInput(message.body);
      break;
    case host::MessageType::kDeviceCount:
      if (const auto count = host::ReadU32(message)) SetPlugged(*count > 0);
      break;
    case host::MessageType::kEvent:
      if (const auto code = host::ReadU16(message)) dispatcher_.PostConsumerInput(*code);
      break;
    case host::MessageType::kProductId:
      if (const auto id = host::ReadU16(message)) {
        std::lock_guard lock(mutex_);
        state_.product_id = *id;
      }
      break;
    default:
      break;
  }
}

void QuorlinkClient::SetPlugged(bool plugged) {
  {
    std::lock_guard lock(mutex_);
    if (state_.plugged == plugged) return;
    state_.plugged = plugged;
  }
  dispatcher_.PostDeviceCount(plugged ? 1 : 0);
}

std::shared_ptr<MessagePipe> QuorlinkClient::pipe() {
  std::lock_guard lock(mutex_);
  return pipe_;
}

bool QuorlinkClient::Presents(const device::DeviceSelector& selector) {
  std::lock_guard lock(mutex_);
  return state_.plugged && pipe_ && selector.vendor_id == device::kVendorId &&
         selector.product_id == state_.product_id;
}

int QuorlinkClient::DeviceCount(const device::DeviceSelector* selector) {
  return selector != nullptr && Presents(*selector) ? 1 : 0;
}

int QuorlinkClient::WriteOne(const device::DeviceSelector* selector, const std::uint8_t* data,
                             int length) {
  if (data == nullptr || length <= 0 || selector == nullptr || !Presents(*selector)) return 0;
  device::ReportBytes request{};
  std::memcpy(request.data(), data,
              std::min<std::size_t>(static_cast<std::size_t>(length), request.size()));
  const auto current = pipe();
  return current && current->Send(host::Request(request)) ? length : 0;
}

int QuorlinkClient::AsyncRead(const device::DeviceSelector* selector,
                              device::InputCallback callback, std::uint32_t context,
                              std::uint32_t* unit_id) {
  if (selector == nullptr || callback == nullptr) return 0;
  const std::uint32_t id = dispatcher_.Subscribe(*selector, callback, context);
  if (unit_id) *unit_id = id;
  return 1;
}

int QuorlinkClient::StatusWrite(const device::DeviceSelector* selector, std::uint32_t context,
                                const std::uint8_t* data, int length, std::uint32_t* unit_id) {
  if (selector == nullptr || data == nullptr || length <= 0) return 0;
  if (unit_id) *unit_id = dispatcher_.NewUnitId();
  // The keyboard checks the interface and context as well; the answer here says the same.
  if (!IsIndicatorWrite(*selector, context, static_cast<std::size_t>(length)) ||
      !Presents(*selector)) {
    return 0;
  }
  const auto current = pipe();
  return current && current->Send(host::StatusWrite(*selector, context,
                                                    {data, static_cast<std::size_t>(length)}))
             ? 1
             : 0;
}

int QuorlinkClient::DeleteUnit(std::uint32_t unit_id) {
  dispatcher_.Cancel(unit_id);
  return 1;
}

}  // namespace tarvolin::vkb
