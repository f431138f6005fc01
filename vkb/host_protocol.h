#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/device_report.h"
#include "device/hid_library.h"

// The messages between the keyboard host and its clients (every Quorlink.dll and vkbctl),
// one pipe message each: a type byte, then the body. Numbers are little-endian.

namespace tarvolin::vkb::host {

inline constexpr std::uint32_t kProtocolVersion = 1;

enum class MessageType : std::uint8_t {
  // Client to host.
  kHello = 0x01,        // u32 version: a library that wants replies, counts and events
  kRequest = 0x02,      // the 64-byte report sent on the control interface
  kStatusWrite = 0x03,  // 16-byte selector, u32 context, the bytes
  kControl = 0x04,      // one control command line, as vkbctl takes it
  // Host to client.
  kWelcome = 0x81,        // u8 plugged, u16 product id, then a notice for the user (text)
  kReply = 0x82,          // a report the keyboard sent on the control interface
  kDeviceCount = 0x83,    // u32 the new number of attached keyboards
  kEvent = 0x84,          // u16 an event code of the consumer interface
  kProductId = 0x85,      // u16 the keyboard's new USB product id
  kControlAnswer = 0x86,  // the answer text to a control command
};

struct Message {
  MessageType type;
  std::vector<std::uint8_t> body;
};

// The plugged state and product id a client keeps, as the welcome gives them.
struct KeyboardState {
  bool plugged = false;
  std::uint16_t product_id = 0;
};

std::vector<std::uint8_t> Encode(MessageType type, std::span<const std::uint8_t> body = {});
std::optional<Message> Decode(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> Hello();
std::vector<std::uint8_t> Request(const device::ReportBytes& report);
std::vector<std::uint8_t> StatusWrite(const device::DeviceSelector& selector, std::uint32_t context,
                                      std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> Text(MessageType type, std::string_view text);
std::vector<std::uint8_t> Welcome(const KeyboardState& state, std::string_view notice);
std::vector<std::uint8_t> U32(MessageType type, std::uint32_t value);
std::vector<std::uint8_t> U16(MessageType type, std::uint16_t value);

// Readers of the bodies; nothing when the body has the wrong size.
std::optional<std::uint32_t> ReadU32(const Message& message);
std::optional<std::uint16_t> ReadU16(const Message& message);
std::optional<device::ReportBytes> ReadReport(const Message& message);
struct StatusWriteBody {
  device::DeviceSelector selector;
  std::uint32_t context;
  std::vector<std::uint8_t> bytes;
};
std::optional<StatusWriteBody> ReadStatusWrite(const Message& message);
std::optional<KeyboardState> ReadWelcome(const Message& message, std::string& notice);
std::string ReadText(const Message& message);

}  // namespace tarvolin::vkb::host
