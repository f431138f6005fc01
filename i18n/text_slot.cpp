#include "i18n/text_slot.h"

namespace tarvolin {
namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

std::u16string_view CutToUnits(std::u16string_view text, std::size_t max_units) {
  text = text.substr(0, text.find(u'\0'));
  if (text.size() <= max_units) return text;
  std::size_t length = max_units;
  if (length > 0 && IsHighSurrogate(text[length - 1])) --length;
  return text.substr(0, length);
}

void TextSlot::Assign(std::u16string_view text) {
  text_.assign(CutToUnits(text, kMaxLength));
}

}  // namespace tarvolin
