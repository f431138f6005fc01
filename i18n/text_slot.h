#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tarvolin {

// One text of the language table. A slot is a buffer of 108 UTF-16 units, terminator
// included, so a text read from the language file keeps at most 107 of them.
class TextSlot {
 public:
  static constexpr std::size_t kCapacity = 108;
  static constexpr std::size_t kMaxLength = kCapacity - 1;

  TextSlot() = default;
  explicit TextSlot(std::u16string_view text) { Assign(text); }

  // Stores a loaded text: at most kMaxLength units, ending at an embedded terminator as a C
  // buffer would. A surrogate pair that does not fit whole is dropped whole, never split.
  void Assign(std::u16string_view text);

  // Stores a built-in text whole. One of them (EXTRA_MACRO_TOO_LONG, 118 units) is longer
  // than the buffer; copying it into one would overrun it, cutting it would garble the
  // message, so built-in texts are kept as they are written.
  void AssignBuiltin(std::u16string_view text) { text_.assign(text); }

  std::u16string_view View() const { return text_; }

 private:
  std::u16string text_;
};

// The longest prefix of `text` that fits `max_units` without splitting a surrogate pair and
// without passing an embedded terminator.
std::u16string_view CutToUnits(std::u16string_view text, std::size_t max_units);

}  // namespace tarvolin
