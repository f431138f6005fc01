#pragma once
#include <array>
#include <atomic>
#include <cstdint>

namespace tarvolin::attachment {

// The two bank-status bytes: 0x05, then 0x02 for G-key bank A or 0x03 for bank B. They are
// what the keyboard's indicator interface receives, and bit 0 of the second byte is the bank
// bit that chooses the G-key slots. Written by the bank switch, read from any thread.
class BankStatus {
 public:
  using Bytes = std::array<std::uint8_t, 2>;

  // Back to bank A (0x05, 0x02), as at start-up.
  void Reset() { word_.store(kStartWord); }
  // Flips the bank bit and returns the new bytes.
  Bytes Toggle() { return ToBytes(word_.fetch_xor(kBankBitMask) ^ kBankBitMask); }

  Bytes Get() const { return ToBytes(word_.load()); }
  // 0 = bank A, 1 = bank B.
  int BankBit() const { return (word_.load() & kBankBitMask) != 0 ? 1 : 0; }

 private:
  // Byte 0 in the low half, byte 1 in the high half.
  static constexpr std::uint16_t kStartWord = 0x0205;
  static constexpr std::uint16_t kBankBitMask = 0x0100;
  static Bytes ToBytes(std::uint16_t word) {
    return {static_cast<std::uint8_t>(word & 0xFF), static_cast<std::uint8_t>(word >> 8)};
  }

  std::atomic<std::uint16_t> word_{kStartWord};
};

// The one instance.
BankStatus& TheBankStatus();

}  // namespace tarvolin::attachment
