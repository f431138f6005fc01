#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/config_state.h"
#include "model/macro_record.h"

// The keyboard's macro image: a header, an offset table and one entry per macro with its
// steps packed into 4 bytes each and, when there is room, the macro names.

namespace tarvolin::model {

inline constexpr std::uint16_t kMacroImageMagic = 0x55AA;
inline constexpr std::size_t kMacroImageHeaderSize = 16;
inline constexpr std::uint32_t kMacroDelayUnitMs = 10;
inline constexpr std::uint32_t kMaxMacroDelayUnits = 0xFFF;  // 40950 ms
// Offsets and the size field are 16-bit.
inline constexpr std::uint32_t kMaxMacroImageSize = 0xFFFF;

struct MacroImageSize {
  std::uint32_t with_names = 0;     // S_full
  std::uint32_t without_names = 0;  // S_short
};

// Sizes computed in 32 bits, so a library too large for the image is seen as such.
MacroImageSize MacroImageSizesOf(std::span<const MacroRecord> macros);
// The AppliedConfig's macros, under its lock.
MacroImageSize MacroImageSizes(const AppliedConfig& applied);

// The 4 bytes of one step and back.
std::array<std::uint8_t, 4> EncodeMacroAction(const MacroAction& action);
MacroAction DecodeMacroAction(std::span<const std::uint8_t, 4> bytes);

// Builds the image into `buffer`; `size` goes into the header unchanged. False (and the
// buffer untouched) when the buffer is smaller than the image or the image would not fit
// the 16-bit offsets.
bool BuildMacroImageFrom(std::span<const MacroRecord> macros, std::span<std::uint8_t> buffer,
                         std::uint16_t size, bool with_names);
// The AppliedConfig's macros, under its lock.
bool BuildMacroImage(const AppliedConfig& applied, std::span<std::uint8_t> buffer,
                     std::uint16_t size, bool with_names);

// Macro records from an image read back from the keyboard: ids 1..N in image order, names
// generated where the image has none. False, with `records` left empty, when the image is
// not a macro image or is damaged (a table or entry reaching past its end, more than 100
// macros or more than 2000 steps in one).
bool ParseMacroImage(std::span<const std::uint8_t> image, std::vector<MacroRecord>& records);

}  // namespace tarvolin::model
