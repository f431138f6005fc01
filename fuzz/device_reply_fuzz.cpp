// A malicious or broken keyboard: every reply, stray report and event code comes from the
// input. Whatever it sends, the channel must never write past a caller's buffer, never hang,
// and a read that succeeds must not reach past the area it asked for.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/commands.h"
#include "device/device_channel.h"
#include "tests/support/fake_hid_library.h"

using namespace tarvolin;

namespace {

// The input steers each reply: none, raw bytes of any length, or the request's own header
// (so the channel takes it) with the status, payload, length and checksum the input says.
class KeyboardScript {
 public:
  KeyboardScript(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::optional<std::vector<std::uint8_t>> ReplyTo(const device::ReportBytes& request) {
    if (Empty()) return std::nullopt;
    const std::uint8_t control = Byte();
    if ((control & 7) == 0) return std::nullopt;
    if ((control & 7) == 1) return Raw();
    device::ReportBytes reply = request;
    if (control & 0x10) reply[device::kOffsetStatus] = Byte();
    for (std::size_t i = device::kOffsetPayload; i < reply.size(); ++i) reply[i] = Byte();
    if (control & 0x80) reply[device::kOffsetCommand + Byte() % 4] ^= Byte();
    device::SealReport(reply);
    if (control & 0x40) reply[device::kOffsetChecksum] ^= 0x5A;
    std::size_t length = reply.size();
    if (control & 0x20) length = Byte() % (reply.size() + 8);
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) bytes[i] = i < reply.size() ? reply[i] : Byte();
    return bytes;
  }

  // Raw bytes: a length byte (modulo 72, so short and overlong reports both occur), then them.
  std::vector<std::uint8_t> Raw() {
    std::vector<std::uint8_t> report(Byte() % 72);
    for (auto& byte : report) byte = Byte();
    return report;
  }
  bool Empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  KeyboardScript keyboard(data, size);
  testing::FakeHidLibrary library;
  library.respond = [&](const device::ReportBytes& request) { return keyboard.ReplyTo(request); };
  library.after_reply = [&](const device::ReportBytes&) {
    // Now and then the keyboard says something unasked right after its reply.
    if ((keyboard.Byte() & 7) == 7) library.DeliverControlInput(keyboard.Raw());
  };
  testing::FakeClock clock;
  device::DeviceChannel channel(clock, std::make_unique<testing::InstantEvent>());
  if (!channel.Bind(library.Api())) return 0;
  channel.SetEventHook([](std::uint16_t) {});
  channel.Subscribe();

  // Guard bytes around each buffer catch a write past its end without ASan's help too.
  std::array<std::uint8_t, 512 + 64> big{};
  device::SettingsBlock settings{};
  std::array<std::uint8_t, 56 + 8> lighting{};
  for (int round = 0; round < 4 && !keyboard.Empty(); ++round) {
    (void)device::Begin(channel);
    (void)device::ReadSettings(channel, settings);
    (void)device::ReadLighting(channel, lighting.data(), 42, 0);
    (void)device::ReadKeyColours(channel, lighting.data(), 54, 126, 1);
    (void)device::ReadKeyMap(channel, round % 3, big.data());
    (void)device::ReadMacros(channel, big.data(), 300);
    (void)device::WriteLighting(channel, lighting.data(), 14, 0);
    const std::uint8_t low = keyboard.Byte();
    library.DeliverConsumerCode(static_cast<std::uint16_t>(low | keyboard.Byte() << 8));
    (void)device::End(channel);
  }
  for (std::size_t i = 512; i < big.size(); ++i) {
    if (big[i] != 0) __builtin_trap();
  }
  for (std::size_t i = 56; i < lighting.size(); ++i) {
    if (lighting[i] != 0) __builtin_trap();
  }
  return 0;
}
