#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/key_code.h"
#include "model/key_table.h"
#include "model/macro_record.h"
#include "platform/prompt.h"
#include "tests/support/recording_prompter.h"

namespace tarvolin::model::testing {

using ::tarvolin::testing::RecordingPrompter;

// Codes the keyboard can hold and give back unchanged: every named key with a usage, minus
// the second key of a shared usage (Break after Pause, the second Right Shift slot, and the
// consumer keys whose usage byte points past the filled consumer table, after Zoom-).
inline std::vector<std::uint16_t> RoundTripCodes() {
  std::vector<std::uint16_t> codes;
  const auto& table = KeyTable();
  for (std::uint16_t slot = 0; slot < table.size(); ++slot) {
    const std::uint16_t code = CodeOfSlot(slot);
    const std::uint8_t usage = table[slot].usage_byte;
    if (usage == 0 || code == key::kBreak || code == key::kRightShiftExtended) continue;
    if (usage >= 0xD3 && usage <= 0xDF) continue;
    codes.push_back(code);
  }
  return codes;
}

// A number below `bound`.
inline std::uint32_t Below(std::mt19937& rng, std::size_t bound) {
  return static_cast<std::uint32_t>(rng() % bound);
}

inline std::u16string RandomName(std::mt19937& rng, std::size_t max_length) {
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<int> pick(0, 3);
  std::u16string name(length(rng), u'a');
  for (char16_t& ch : name) {
    switch (pick(rng)) {
      case 0:
        ch = static_cast<char16_t>(u'A' + Below(rng, 26));
        break;
      case 1:
        ch = static_cast<char16_t>(u'0' + Below(rng, 10));
        break;
      case 2:
        ch = static_cast<char16_t>(0x4E00 + Below(rng, 0x100));
        break;  // CJK
      default:
        ch = u' ';
        break;
    }
  }
  return name;
}

}  // namespace tarvolin::model::testing
