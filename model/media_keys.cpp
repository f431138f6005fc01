#include "model/media_keys.h"

namespace tarvolin::model {

bool IsMediaKeyCode(std::uint16_t code) {
  for (const MediaKey& key : kMediaKeyTable) {
    if (key.code == code) return true;
  }
  return false;
}

std::optional<std::size_t> MediaIndexOfUsage(std::uint16_t usage) {
  for (std::size_t i = 0; i < kMediaKeyTable.size(); ++i) {
    if (kMediaKeyTable[i].consumer_usage == usage) return i;
  }
  return std::nullopt;
}

}  // namespace tarvolin::model
