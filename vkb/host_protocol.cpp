#include "vkb/host_protocol.h"

#include <cstring>

namespace tarvolin::vkb::host {
namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint16_t GetU16(const std::uint8_t* in) {
  return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

std::uint32_t GetU32(const std::uint8_t* in) {
  return in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}

}  // namespace

std::vector<std::uint8_t> Encode(MessageType type, std::span<const std::uint8_t> body) {
  std::vector<std::uint8_t> out;
  out.reserve(1 + body.size());
  out.push_back(static_cast<std::uint8_t>(type));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::optional<Message> Decode(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return std::nullopt;
  return Message{static_cast<MessageType>(bytes[0]), {bytes.begin() + 1, bytes.end()}};
}

std::vector<std::uint8_t> Hello() {
  return U32(MessageType::kHello, kProtocolVersion);
}

std::vector<std::uint8_t> Request(const device::ReportBytes& report) {
  return Encode(MessageType::kRequest, report);
}

std::vector<std::uint8_t> StatusWrite(const device::DeviceSelector& selector, std::uint32_t context,
                                      std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> body(sizeof selector);
  std::memcpy(body.data(), &selector, sizeof selector);
  PutU32(body, context);
  body.insert(body.end(), bytes.begin(), bytes.end());
  return Encode(MessageType::kStatusWrite, body);
}

std::vector<std::uint8_t> Text(MessageType type, std::string_view text) {
  return Encode(type, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::vector<std::uint8_t> Welcome(const KeyboardState& state, std::string_view notice) {
  std::vector<std::uint8_t> body{static_cast<std::uint8_t>(state.plugged ? 1 : 0)};
  PutU16(body, state.product_id);
  body.insert(body.end(), notice.begin(), notice.end());
  return Encode(MessageType::kWelcome, body);
}

std::vector<std::uint8_t> U32(MessageType type, std::uint32_t value) {
  std::vector<std::uint8_t> body;
  PutU32(body, value);
  return Encode(type, body);
}

std::vector<std::uint8_t> U16(MessageType type, std::uint16_t value) {
  std::vector<std::uint8_t> body;
  PutU16(body, value);
  return Encode(type, body);
}

std::optional<std::uint32_t> ReadU32(const Message& message) {
  if (message.body.size() != 4) return std::nullopt;
  return GetU32(message.body.data());
}

std::optional<std::uint16_t> ReadU16(const Message& message) {
  if (message.body.size() != 2) return std::nullopt;
  return GetU16(message.body.data());
}

std::optional<device::ReportBytes> ReadReport(const Message& message) {
  if (message.body.size() != device::kReportSize) return std::nullopt;
  device::ReportBytes report{};
  std::memcpy(report.data(), message.body.data(), report.size());
  return report;
}

std::optional<StatusWriteBody> ReadStatusWrite(const Message& message) {
  constexpr std::size_t kHead = sizeof(device::DeviceSelector) + 4;
  if (message.body.size() < kHead) return std::nullopt;
  StatusWriteBody body{};
  std::memcpy(&body.selector, message.body.data(), sizeof body.selector);
  body.context = GetU32(message.body.data() + sizeof body.selector);
  body.bytes.assign(message.body.begin() + kHead, message.body.end());
  return body;
}

std::optional<KeyboardState> ReadWelcome(const Message& message, std::string& notice) {
  if (message.type != MessageType::kWelcome || message.body.size() < 3) return std::nullopt;
  notice.assign(message.body.begin() + 3, message.body.end());
  return KeyboardState{message.body[0] != 0, GetU16(message.body.data() + 1)};
}

std::string ReadText(const Message& message) {
  return {message.body.begin(), message.body.end()};
}

}  // namespace tarvolin::vkb::host
