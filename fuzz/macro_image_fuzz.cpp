// The macro area is read back from the keyboard, which may hold anything. Whatever parses
// must build into an image again, and from then on reading and building must be stable: the
// first build may drop what an image cannot carry (steps of another kind read as internal
// keys), the second must give the same bytes, so a keyboard-to-file-to-keyboard round trip
// never changes a macro twice.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/macro_image.h"

using namespace tarvolin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<model::MacroRecord> records;
  if (!model::ParseMacroImage(std::span<const std::uint8_t>(data, size), records)) {
    if (!records.empty()) __builtin_trap();  // a refused image leaves nothing behind
    return 0;
  }
  const auto sizes = model::MacroImageSizesOf(records);
  if (sizes.with_names > model::kMaxMacroImageSize) return 0;
  std::vector<std::uint8_t> image(sizes.with_names);
  if (!model::BuildMacroImageFrom(records, image, static_cast<std::uint16_t>(image.size()), true)) {
    __builtin_trap();
  }
  std::vector<model::MacroRecord> again;
  if (!model::ParseMacroImage(image, again) || again.size() != records.size()) __builtin_trap();
  std::vector<std::uint8_t> image_again(image.size());
  if (model::MacroImageSizesOf(again).with_names != image.size() ||
      !model::BuildMacroImageFrom(again, image_again, static_cast<std::uint16_t>(image.size()),
                                  true) ||
      image_again != image) {
    __builtin_trap();
  }
  return 0;
}
