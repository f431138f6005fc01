#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "device/completion_event.h"
#include "device/device_report.h"
#include "device/hid_library.h"
#include "platform/clock.h"

namespace tarvolin::device {

// Transaction results.
inline constexpr int kResultOk = 1;
inline constexpr int kResultNoDevice = 0;
inline constexpr int kResultWriteRefused = -1;
inline constexpr int kResultNoReply = -2;

// Timing of a transaction.
inline constexpr std::uint32_t kReplyTimeoutMs = 1000;
inline constexpr std::uint32_t kRetryPauseMs = 10;
inline constexpr std::uint32_t kInFlightBackOffMs = 1001;
inline constexpr int kMaxAttempts = 3;

// A reply echoes the request's header: report id, checksum, command, length, address, status.
inline constexpr std::uint32_t kReplyHeaderSize = kOffsetPayload;

// The one path to the keyboard: binds the HID library, runs request/response transactions on
// the single reply slot, and routes what the keyboard sends unasked.
class DeviceChannel {
 public:
  using AttachHook = std::function<void(int device_count)>;
  using EventHook = std::function<void(std::uint16_t event_code)>;

  explicit DeviceChannel(Clock& clock = SystemClock(),
                         std::unique_ptr<CompletionEvent> event = nullptr);
  ~DeviceChannel();
  DeviceChannel(const DeviceChannel&) = delete;
  DeviceChannel& operator=(const DeviceChannel&) = delete;

  // Takes the resolved entry points and calls Init(0). False when Init does not return
  // above 0 (the caller ends the process).
  bool Bind(const HidLibraryApi& api);
  bool IsBound() const { return bound_; }

  // The device steps of start-up after Bind: bank-status reset is the caller's; this
  // subscribes to consumer input, clears the flag, and subscribes to control input. The
  // channel becomes the one the library's callback routes to.
  void Subscribe();

  // Attached keyboards on the control interface; 0 = none (also when unbound).
  int DeviceCount();

  // One request/response exchange; see the result constants above. A reply counts only when
  // it is the first control input of its attempt, holds at least `required_reply_length`
  // bytes and echoes the request's command, length and address; anything else is no reply.
  int Transact(const std::uint8_t* request, std::size_t request_length, std::uint8_t* reply,
               std::uint32_t reply_capacity, std::uint32_t* received_length,
               std::uint32_t required_reply_length = kReplyHeaderSize);

  // Sends two bytes to the indicator interface, cancelling the previous status write first.
  void StatusWrite(const std::uint8_t bytes[2]);

  // Device-count changes (each to be run on a new thread by the hook's owner) and
  // keyboard event codes.
  void SetAttachHook(AttachHook hook);
  void SetEventHook(EventHook hook);

  Clock& clock() { return clock_; }
  std::uint32_t control_subscription() const { return control_unit_; }

  // The input callback handed to the library: routes to the subscribed channel.
  static int InputCallback(void* event_record);

 private:
  void Route(const void* event_record);
  int TransactLocked(const std::uint8_t* request, std::size_t request_length, std::uint8_t* reply,
                     std::uint32_t reply_capacity, std::uint32_t* received_length,
                     std::uint32_t required_reply_length);
  // Opens the reply slot for one attempt: the caller's buffer is cleared and the next control
  // input is taken. Returns what the attempt received once it is closed again.
  void OpenSlot(std::uint8_t* reply, std::uint32_t capacity);
  enum class Received { kNothing, kReply, kForeign };
  Received CloseSlot(const std::uint8_t* request, std::uint32_t required_reply_length,
                     std::uint32_t* received_length);

  Clock& clock_;
  HidLibraryApi api_{};
  bool bound_ = false;
  std::unique_ptr<CompletionEvent> completion_;

  // Whole transactions are serialised so two callers never share the one reply slot.
  std::mutex transaction_mutex_;
  // The in-flight flag and the reply slot, filled by the callback thread while a transaction
  // waits; the slot takes one input per attempt.
  std::mutex slot_mutex_;
  int in_flight_ = 0;
  bool slot_filled_ = false;
  std::uint8_t* slot_destination_ = nullptr;
  std::uint32_t slot_capacity_ = 0;
  std::uint32_t slot_received_ = 0;

  std::uint32_t consumer_unit_ = 0;
  std::uint32_t control_unit_ = 0;
  std::uint32_t status_unit_ = 0;

  std::mutex hooks_mutex_;
  AttachHook attach_hook_;
  EventHook event_hook_;
};

}  // namespace tarvolin::device
