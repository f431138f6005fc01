#include "vkb/quorlink/message_pipe.h"

namespace tarvolin::vkb {

std::optional<Transferred> FinishOverlapped(HANDLE handle, OVERLAPPED& overlapped, BOOL started) {
  if (!started && GetLastError() != ERROR_IO_PENDING && GetLastError() != ERROR_MORE_DATA) {
    return std::nullopt;
  }
  Transferred done;
  if (GetOverlappedResult(handle, &overlapped, &done.bytes, TRUE)) return done;
  if (GetLastError() != ERROR_MORE_DATA) return std::nullopt;
  done.more = true;
  return done;
}

MessagePipe::MessagePipe(win32::UniqueHandle pipe)
    : pipe_(std::move(pipe)),
      send_done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      receive_done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

bool MessagePipe::Send(std::span<const std::uint8_t> message) {
  std::lock_guard lock(send_mutex_);
  if (!pipe_ || !send_done_) return false;
  OVERLAPPED overlapped{};
  overlapped.hEvent = send_done_.get();
  const BOOL started = WriteFile(pipe_.get(), message.data(), static_cast<DWORD>(message.size()),
                                 nullptr, &overlapped);
  const auto written = FinishOverlapped(pipe_.get(), overlapped, started);
  return written && written->bytes == message.size();
}

std::optional<std::vector<std::uint8_t>> MessagePipe::Receive() {
  if (!pipe_ || !receive_done_) return std::nullopt;
  std::vector<std::uint8_t> message;
  std::uint8_t chunk[4096];
  for (;;) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = receive_done_.get();
    const BOOL started = ReadFile(pipe_.get(), chunk, sizeof chunk, nullptr, &overlapped);
    const auto read = FinishOverlapped(pipe_.get(), overlapped, started);
    if (!read) return std::nullopt;
    message.insert(message.end(), chunk, chunk + read->bytes);
    if (!read->more) return message;
  }
}

}  // namespace tarvolin::vkb
