#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tarvolin::vkb {

// One end of a message-mode named pipe opened for overlapped I/O, so one thread can wait in
// Receive while others Send (synchronous handles would serialise the two).
class MessagePipe {
 public:
  explicit MessagePipe(win32::UniqueHandle pipe);
  MessagePipe(const MessagePipe&) = delete;
  MessagePipe& operator=(const MessagePipe&) = delete;

  // Whole messages; false once the other end is gone. Safe from several threads.
  bool Send(std::span<const std::uint8_t> message);
  // The next whole message; nothing once the other end is gone. One reader at a time.
  std::optional<std::vector<std::uint8_t>> Receive();

  HANDLE handle() const { return pipe_.get(); }

 private:
  win32::UniqueHandle pipe_;
  std::mutex send_mutex_;
  win32::UniqueHandle send_done_;
  win32::UniqueHandle receive_done_;
};

// Waits for an overlapped operation started on `handle`; nothing when it failed.
struct Transferred {
  DWORD bytes = 0;
  bool more = false;  // a message read in part: the rest follows
};
std::optional<Transferred> FinishOverlapped(HANDLE handle, OVERLAPPED& overlapped, BOOL started);

}  // namespace tarvolin::vkb
