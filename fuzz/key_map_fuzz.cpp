// Key-map blocks are read from the keyboard: any block, against any default layout, must
// import into a profile's records without reaching outside them, and decode entry by entry.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/key_map.h"

using namespace tarvolin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  model::KeyMapBlock block{};
  model::KeyMapBlock default_map{};
  const std::size_t first = std::min(size, block.size());
  std::copy_n(data, first, block.begin());
  std::copy_n(data + first, std::min(size - first, default_map.size()), default_map.begin());

  auto profiles = std::make_unique<model::ProfileSet>();
  model::ResetAllAssignments(*profiles);
  model::ImportKeyMapBlock(profiles->Profile(1), block, default_map);
  for (std::size_t position = 0; position < model::kKeyMapPositions; ++position) {
    (void)model::DecodeKeyMapEntry(model::EntryAt(block, position));
  }
  // What was imported must encode again without a macro library to resolve against.
  (void)model::BuildKeyMapBlock(*profiles, {}, 1, default_map);
  return 0;
}
