#include "model/macro_image.h"

#include <algorithm>
#include <mutex>
#include <string>

#include "model/key_map.h"
#include "model/key_table.h"
#include "model/model_text.h"
#include "model/modifier_bits.h"
#include "platform/little_endian.h"

namespace tarvolin::model {
namespace {

constexpr std::size_t kEntryHeaderSize = 4;
constexpr std::size_t kActionSize = 4;

std::uint32_t EntrySize(const MacroRecord& macro, bool with_names) {
  const auto actions = static_cast<std::uint32_t>(macro.UsedActions().size());
  const auto name = with_names ? static_cast<std::uint32_t>(macro.Name().size()) : 0u;
  return static_cast<std::uint32_t>(kEntryHeaderSize + kActionSize * actions + 2 * name);
}

std::u16string GeneratedName(std::size_t index) {
  const std::string number = std::to_string(index + 1);
  return ModelText(text::kMacroNewPrefix) + std::u16string(number.begin(), number.end());
}

}  // namespace

MacroImageSize MacroImageSizesOf(std::span<const MacroRecord> macros) {
  MacroImageSize size;
  size.without_names = static_cast<std::uint32_t>(kMacroImageHeaderSize + 2 * macros.size());
  size.with_names = size.without_names;
  for (const MacroRecord& macro : macros) {
    size.without_names += EntrySize(macro, false);
    size.with_names += EntrySize(macro, true);
  }
  return size;
}

MacroImageSize MacroImageSizes(const AppliedConfig& applied) {
  std::lock_guard lock(applied.mutex());
  return MacroImageSizesOf(applied.macros);
}

std::array<std::uint8_t, 4> EncodeMacroAction(const MacroAction& action) {
  // Longer pauses than the 12-bit field holds are kept at its maximum rather than wrapped.
  const std::uint32_t units = std::min(action.delay_ms / kMacroDelayUnitMs, kMaxMacroDelayUnits);
  std::uint8_t kind = entry_kind::kNone;
  std::uint8_t data0 = 0;
  std::uint8_t data1 = 0;
  const HidUsage usage = UsageOfCode(action.code);
  if (usage.page == kPageKeyboard) {
    kind = entry_kind::kKeyboard;
    if (const std::uint8_t bit = ModifierBitOfCode(action.code); bit != 0) {
      data0 = kKeyboardModifiers;
      data1 = bit;
    } else {
      data0 = kKeyboardUsage;
      data1 = static_cast<std::uint8_t>(usage.usage & 0xFF);
    }
  } else if (usage.page == kPageConsumer || usage.page == kPageGenericDesktop) {
    kind = usage.page == kPageConsumer ? entry_kind::kConsumer : entry_kind::kSystem;
    data0 = static_cast<std::uint8_t>(usage.usage & 0xFF);
    data1 = static_cast<std::uint8_t>(usage.usage >> 8);
  }
  std::uint16_t word = static_cast<std::uint16_t>(units | (kind << 12));
  if (action.direction != kRelease) word = static_cast<std::uint16_t>(word | 0x8000);
  return {static_cast<std::uint8_t>(word & 0xFF), static_cast<std::uint8_t>(word >> 8), data0,
          data1};
}

MacroAction DecodeMacroAction(std::span<const std::uint8_t, 4> bytes) {
  const std::uint16_t word = ReadU16Le(bytes, 0);
  MacroAction action;
  action.delay_ms = (word & 0xFFFu) * kMacroDelayUnitMs;
  action.code =
      DecodeKeyMapEntry({static_cast<std::uint8_t>((word >> 12) & 7), bytes[2], bytes[3]});
  action.direction = (word & 0x8000) != 0 ? kPress : kRelease;
  return action;
}

bool BuildMacroImageFrom(std::span<const MacroRecord> macros, std::span<std::uint8_t> buffer,
                         std::uint16_t size, bool with_names) {
  const MacroImageSize sizes = MacroImageSizesOf(macros);
  const std::uint32_t needed = with_names ? sizes.with_names : sizes.without_names;
  if (needed > buffer.size() || needed > kMaxMacroImageSize) return false;

  std::fill_n(buffer.begin(), needed, std::uint8_t{0});
  WriteU16Le(buffer, 0, kMacroImageMagic);
  WriteU16Le(buffer, 2, size);
  WriteU16Le(buffer, 4, static_cast<std::uint16_t>(macros.size()));
  WriteU16Le(buffer, 6, with_names ? 1 : 0);
  std::size_t offset = kMacroImageHeaderSize + 2 * macros.size();
  for (std::size_t i = 0; i < macros.size(); ++i) {
    const MacroRecord& macro = macros[i];
    const std::span<const MacroAction> actions = macro.UsedActions();
    const std::u16string_view name = with_names ? macro.Name() : std::u16string_view();
    WriteU16Le(buffer, kMacroImageHeaderSize + 2 * i, static_cast<std::uint16_t>(offset));
    WriteU16Le(buffer, offset, static_cast<std::uint16_t>(actions.size()));
    buffer[offset + 2] = macro.play_count;
    buffer[offset + 3] = static_cast<std::uint8_t>(name.size());
    offset += kEntryHeaderSize;
    for (const MacroAction& action : actions) {
      const auto bytes = EncodeMacroAction(action);
      std::copy(bytes.begin(), bytes.end(), buffer.begin() + static_cast<std::ptrdiff_t>(offset));
      offset += kActionSize;
    }
    for (const char16_t ch : name) {
      WriteU16Le(buffer, offset, static_cast<std::uint16_t>(ch));
      offset += 2;
    }
  }
  return true;
}

bool BuildMacroImage(const AppliedConfig& applied, std::span<std::uint8_t> buffer,
                     std::uint16_t size, bool with_names) {
  std::lock_guard lock(applied.mutex());
  return BuildMacroImageFrom(applied.macros, buffer, size, with_names);
}

bool ParseMacroImage(std::span<const std::uint8_t> image, std::vector<MacroRecord>& records) {
  records.clear();
  if (image.size() < kMacroImageHeaderSize || ReadU16Le(image, 0) != kMacroImageMagic) return false;
  const std::size_t count = ReadU16Le(image, 4);
  if (count > kMaxMacros || kMacroImageHeaderSize + 2 * count > image.size()) return false;

  std::vector<MacroRecord> parsed(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = ReadU16Le(image, kMacroImageHeaderSize + 2 * i);
    if (entry + kEntryHeaderSize > image.size()) return false;
    const std::size_t action_count = ReadU16Le(image, entry);
    const std::size_t name_length = image[entry + 3];
    const std::size_t actions_at = entry + kEntryHeaderSize;
    const std::size_t name_at = actions_at + kActionSize * action_count;
    if (action_count > MacroRecord::kMaxActions || name_at + 2 * name_length > image.size()) {
      return false;
    }
    MacroRecord& record = parsed[i];
    record.play_count = image[entry + 2];
    record.new_mark = 0;
    record.play_mode = 0;
    record.id = static_cast<std::uint16_t>(i + 1);
    record.action_count = static_cast<std::uint16_t>(action_count);
    for (std::size_t a = 0; a < action_count; ++a) {
      record.actions[a] = DecodeMacroAction(image.subspan(actions_at + kActionSize * a).first<4>());
    }
    // A name that ends at its first character is no name: it gets the generated one, as it
    // will when this macro is written back without it and read again.
    if (name_length != 0 && ReadU16Le(image, name_at) != 0) {
      std::u16string name(name_length, u'\0');
      for (std::size_t c = 0; c < name_length; ++c) {
        name[c] = static_cast<char16_t>(ReadU16Le(image, name_at + 2 * c));
      }
      record.SetName(name);
    } else {
      record.SetName(GeneratedName(i));
    }
  }
  records = std::move(parsed);
  return true;
}

}  // namespace tarvolin::model
