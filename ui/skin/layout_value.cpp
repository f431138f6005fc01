#include "ui/skin/layout_value.h"

#include <array>
#include <optional>

#include "platform/number_text.h"

namespace tarvolin::skin {
LayoutValue ParseLayoutValue(std::u16string_view text) {
  std::array<int, 4> numbers{1, 1, 1, 1};
  std::size_t pos = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != u',') break;
      ++pos;
    }
    const std::optional<int> number = ReadLeadingInt(text, pos);
    if (!number) break;
    numbers[i] = *number;
  }
  LayoutValue value{numbers[0], numbers[1], numbers[2], numbers[3]};
  if (value.width < 0) value.width = 0;
  if (value.height < 0) value.height = 0;
  return value;
}

}  // namespace tarvolin::skin
