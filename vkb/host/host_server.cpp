#include "vkb/host/host_server.h"

#include <thread>

#include "vkb/control_commands.h"
#include "vkb/host_protocol.h"
#include "vkb/quorlink/message_pipe.h"
#include "vkb/quorlink/user_only_security.h"

namespace tarvolin::vkb {

using host::MessageType;

namespace {

constexpr DWORD kBufferSize = 1 << 16;
constexpr DWORD kPollMs = 250;

}  // namespace

// One connected client. A library client hears the keyboard's unasked input once welcomed;
// a vkbctl client only sends control commands.
class ClientSession final : public KeyboardListener {
 public:
  ClientSession(HostServer& server, win32::UniqueHandle pipe)
      : server_(server), pipe_(std::move(pipe)) {}

  void Run() {
    while (const auto bytes = pipe_.Receive()) {
      const auto message = host::Decode(*bytes);
      if (!message || !Handle(*message)) break;
    }
    if (listening_) server_.keyboard_.RemoveListener(this);
  }

  void DeviceCountChanged(int count) override {
    SendIfWelcomed(host::U32(MessageType::kDeviceCount, static_cast<std::uint32_t>(count)));
  }
  void ConsumerInput(std::uint16_t event_code) override {
    SendIfWelcomed(host::U16(MessageType::kEvent, event_code));
  }
  void ProductIdChanged(std::uint16_t product_id) override {
    SendIfWelcomed(host::U16(MessageType::kProductId, product_id));
  }

 private:
  // False when the session is to end.
  bool Handle(const host::Message& message) {
    KeyboardDevice& keyboard = server_.keyboard_;
    switch (message.type) {
      case MessageType::kHello:
        if (host::ReadU32(message) != host::kProtocolVersion || listening_) return false;
        Welcome();
        return true;
      case MessageType::kRequest:
        if (const auto report = host::ReadReport(message)) {
          for (const auto& sent : keyboard.Answer(*report)) {
            pipe_.Send(host::Encode(MessageType::kReply, sent));
          }
        }
        return true;
      case MessageType::kStatusWrite:
        if (const auto body = host::ReadStatusWrite(message)) {
          keyboard.StatusWrite(body->selector, body->context, body->bytes);
        }
        return true;
      case MessageType::kControl: {
        const std::string line = host::ReadText(message);
        if (line == "shutdown") {
          pipe_.Send(host::Text(MessageType::kControlAnswer, "ok"));
          SetEvent(server_.shutdown_.get());
          return true;
        }
        std::string answer = RunControlCommand(keyboard, line);
        if (ChangesMemory(line) && answer.rfind("error:", 0) != 0) server_.save_memory_();
        if (line == "status") answer = server_.Status(answer);
        return pipe_.Send(host::Text(MessageType::kControlAnswer, answer));
      }
      default:
        return false;
    }
  }

  // Listening starts before the state is taken, so no change falls between the two; a change
  // that comes while the welcome is built is sent after it (at worst twice, which says the
  // same).
  void Welcome() {
    KeyboardDevice& keyboard = server_.keyboard_;
    keyboard.AddListener(this);
    listening_ = true;
    std::lock_guard lock(welcome_mutex_);
    const host::KeyboardState state{keyboard.plugged(), keyboard.product_id()};
    pipe_.Send(host::Welcome(state, server_.TakeNotice()));
    welcomed_ = true;
  }

  void SendIfWelcomed(const std::vector<std::uint8_t>& message) {
    std::lock_guard lock(welcome_mutex_);
    if (welcomed_) pipe_.Send(message);
  }

  HostServer& server_;
  MessagePipe pipe_;
  bool listening_ = false;
  std::mutex welcome_mutex_;
  bool welcomed_ = false;
};

HostServer::HostServer(KeyboardDevice& keyboard, std::wstring pipe_name, std::string notice,
                       std::function<void()> save_memory)
    : keyboard_(keyboard),
      pipe_name_(std::move(pipe_name)),
      save_memory_(std::move(save_memory)),
      shutdown_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      notice_(std::move(notice)),
      idle_since_(GetTickCount64()) {}

win32::UniqueHandle HostServer::CreateInstance(bool first) {
  UserOnlySecurity security;
  if (security.attributes() == nullptr) return {};
  // Local clients of this user only; the first instance also proves no other host serves
  // the name.
  return win32::UniqueHandle(CreateNamedPipeW(
      pipe_name_.c_str(),
      PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
      PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
      PIPE_UNLIMITED_INSTANCES, kBufferSize, kBufferSize, 0, security.attributes()));
}

bool HostServer::Run() {
  bool first = true;
  const win32::UniqueHandle connected(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  for (;;) {
    win32::UniqueHandle pipe = CreateInstance(first);
    if (!pipe) {
      if (first) return false;
      if (WaitForSingleObject(shutdown_.get(), kPollMs) == WAIT_OBJECT_0) return true;
      continue;
    }
    first = false;
    OVERLAPPED overlapped{};
    overlapped.hEvent = connected.get();
    ResetEvent(connected.get());
    bool is_connected = ConnectNamedPipe(pipe.get(), &overlapped) != 0;
    if (!is_connected) {
      const DWORD error = GetLastError();
      is_connected = error == ERROR_PIPE_CONNECTED;
      if (!is_connected && error != ERROR_IO_PENDING) continue;
    }
    while (!is_connected) {
      const HANDLE waits[] = {connected.get(), shutdown_.get()};
      const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, kPollMs);
      if (woke == WAIT_OBJECT_0) {
        DWORD ignored = 0;
        is_connected = GetOverlappedResult(pipe.get(), &overlapped, &ignored, FALSE) != 0;
        if (!is_connected) break;
      } else if (woke == WAIT_OBJECT_0 + 1) {
        CancelIo(pipe.get());
        return true;
      } else {
        std::lock_guard lock(mutex_);
        if (clients_ == 0 && GetTickCount64() - idle_since_ >= kLingerMs) {
          CancelIo(pipe.get());
          return true;
        }
      }
    }
    if (is_connected) Serve(std::move(pipe));
  }
}

void HostServer::Serve(win32::UniqueHandle pipe) {
  {
    std::lock_guard lock(mutex_);
    ++clients_;
  }
  std::thread([this, pipe = std::move(pipe)]() mutable {
    ClientSession session(*this, std::move(pipe));
    session.Run();
    ClientGone();
  }).detach();
}

std::string HostServer::TakeNotice() {
  std::lock_guard lock(mutex_);
  return std::exchange(notice_, std::string());
}

void HostServer::ClientGone() {
  std::lock_guard lock(mutex_);
  --clients_;
  idle_since_ = GetTickCount64();
}

std::string HostServer::Status(const std::string& keyboard_status) {
  std::lock_guard lock(mutex_);
  return keyboard_status + "\nclients " + std::to_string(clients_) + "\nhost-process " +
         std::to_string(GetCurrentProcessId());
}

}  // namespace tarvolin::vkb
