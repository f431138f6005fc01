#pragma once
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>

#include "platform/win32/unique_handle.h"
#include "vkb/keyboard_device.h"

namespace tarvolin::vkb {

// The keyboard host's pipe: every Quorlink.dll and vkbctl of this user connects here. One
// thread per client; the host ends when no client has been connected for a few seconds, or
// on the control command "shutdown".
class HostServer {
 public:
  // `notice` goes to the first library that connects (a damaged state file, say);
  // `save_memory` keeps the flash after a control command changed the memory.
  HostServer(KeyboardDevice& keyboard, std::wstring pipe_name, std::string notice,
             std::function<void()> save_memory);

  // Serves until the host is to end. False when the pipe could not be made (another host
  // serves it already).
  bool Run();

  // How long the host stays without clients.
  static constexpr DWORD kLingerMs = 3000;

 private:
  friend class ClientSession;
  win32::UniqueHandle CreateInstance(bool first);
  void Serve(win32::UniqueHandle pipe);
  std::string TakeNotice();
  void ClientGone();
  std::string Status(const std::string& keyboard_status);

  KeyboardDevice& keyboard_;
  std::wstring pipe_name_;
  std::function<void()> save_memory_;
  win32::UniqueHandle shutdown_;
  std::mutex mutex_;
  std::string notice_;
  int clients_ = 0;
  ULONGLONG idle_since_ = 0;
};

}  // namespace tarvolin::vkb
