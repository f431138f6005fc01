#pragma once
#include <array>
#include <cstddef>
#include <string_view>

namespace tarvolin {

// One text of the language table: a fixed buffer of 108 UTF-16 units, terminator included.
class TextSlot {
 public:
  static constexpr std::size_t kCapacity = 108;
  static constexpr std::size_t kMaxLength = kCapacity - 1;

  constexpr TextSlot() = default;
  explicit TextSlot(std::u16string_view text) { Assign(text); }

  // Stores at most kMaxLength units; the text also ends at an embedded terminator, as a C
  // buffer would. A surrogate pair that does not fit whole is dropped whole, never split.
  void Assign(std::u16string_view text);

  std::u16string_view View() const { return {chars_.data(), length_}; }

 private:
  std::array<char16_t, kCapacity> chars_{};
  std::size_t length_ = 0;
};

// The longest prefix of `text` that fits `max_units` without splitting a surrogate pair and
// without passing an embedded terminator.
std::u16string_view CutToUnits(std::u16string_view text, std::size_t max_units);

}  // namespace tarvolin
