// Byte dumps and byte arguments of the commands, as hex pairs.
#include <charconv>
#include <cstdio>

#include "tools/tarvolinctl/ctl_command.h"

namespace tarvolin::ctl {

std::string Hex(const std::uint8_t* data, std::size_t size, std::size_t per_line) {
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", data[i]);
    if (i > 0) text += (per_line != 0 && i % per_line == 0) ? '\n' : ' ';
    text += pair;
  }
  return text;
}

bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == ',' || c == ':') continue;
    digits += c;
  }
  if (digits.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(digits.data() + i, digits.data() + i + 2, value, 16);
    if (ec != std::errc() || end != digits.data() + i + 2) return false;
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return true;
}

}  // namespace tarvolin::ctl
