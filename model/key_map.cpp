#include "model/key_map.h"

#include "model/key_buttons.h"
#include "model/key_table.h"
#include "model/macro_library.h"
#include "model/media_keys.h"
#include "model/modifier_bits.h"

namespace tarvolin::model {
namespace {

KeyMapEntry KeyboardEntryOf(std::uint32_t code_value) {
  if (code_value > 0xFFFF) return {entry_kind::kKeyboard, kKeyboardUsage, 0};
  const auto code = static_cast<std::uint16_t>(code_value);
  if (const std::uint8_t bit = ModifierBitOfCode(code); bit != 0) {
    return {entry_kind::kKeyboard, kKeyboardModifiers, bit};
  }
  const HidUsage usage = UsageOfCode(code);
  const auto u = static_cast<std::uint8_t>(usage.page == kPageKeyboard ? usage.usage : 0);
  return {entry_kind::kKeyboard, kKeyboardUsage, u};
}

}  // namespace

KeyMapEntry EntryAt(const KeyMapBlock& block, std::size_t position) {
  return {block[3 * position], block[3 * position + 1], block[3 * position + 2]};
}

void SetEntryAt(KeyMapBlock& block, std::size_t position, const KeyMapEntry& entry) {
  block[3 * position] = entry.kind;
  block[3 * position + 1] = entry.a;
  block[3 * position + 2] = entry.b;
}

std::uint16_t DecodeKeyMapEntry(const KeyMapEntry& entry) {
  const auto wide = static_cast<std::uint16_t>(entry.a | (entry.b << 8));
  switch (entry.kind) {
    case entry_kind::kKeyboard:
      if (entry.a == kKeyboardUsage) return CodeOfUsage({kPageKeyboard, entry.b});
      return CodeOfModifierBit(entry.b);
    case entry_kind::kConsumer:
      return CodeOfUsage({kPageConsumer, wide});
    case entry_kind::kSystem:
      return CodeOfUsage({kPageGenericDesktop, wide});
    case entry_kind::kInternal:
      if (entry.a == kInternalKeyMarker) return static_cast<std::uint16_t>(0x1FF + entry.b);
      return kNoKey;
    default:
      return kNoKey;
  }
}

KeyMapEntry EncodeAssignment(const KeyAssignment& record, const KeyMapEntry& default_entry,
                             std::span<const MacroRecord> macros) {
  switch (record.type) {
    case AssignmentType::kDisabled:
    case AssignmentType::kTextBlock:
      return {};
    case AssignmentType::kSingleKey:
      return KeyboardEntryOf(record.value);
    case AssignmentType::kMacro: {
      const int position = MacroIndexIn(macros, static_cast<std::uint16_t>(record.value));
      return {entry_kind::kMacroControl, kMacroPlay, static_cast<std::uint8_t>(position)};
    }
    case AssignmentType::kStopMacro:
      return {entry_kind::kMacroControl, kMacroStop, 0};
    case AssignmentType::kMedia: {
      // An index past the table names no media key; the key keeps its default.
      if (record.value >= kMediaKeyCount) return default_entry;
      const std::uint16_t usage = MediaKeyTable()[record.value].consumer_usage;
      return {entry_kind::kConsumer, static_cast<std::uint8_t>(usage & 0xFF),
              static_cast<std::uint8_t>(usage >> 8)};
    }
    case AssignmentType::kFunction:
      return {entry_kind::kMacroControl, kMacroFunction,
              static_cast<std::uint8_t>(record.value & 0xFF)};
    default:  // default, launch program, and types the program never produces
      return default_entry;
  }
}

KeyMapEntry EncodeKeyMapEntry(const ProfileSet& profiles, std::span<const MacroRecord> macros,
                              int profile, const KeyMapEntry& default_entry) {
  const std::uint16_t code = DecodeKeyMapEntry(default_entry);
  if (code == kNoKey) return default_entry;
  const std::uint16_t slot = SlotOfCode(code);
  if (slot >= kSlotsPerProfile) return default_entry;
  return EncodeAssignment(profiles.Record(profile, slot), default_entry, macros);
}

KeyMapBlock BuildKeyMapBlock(const ProfileSet& profiles, std::span<const MacroRecord> macros,
                             int profile, const KeyMapBlock& default_map) {
  KeyMapBlock block = default_map;
  for (std::size_t k = 0; k < kKeyMapPositions; ++k) {
    SetEntryAt(block, k, EncodeKeyMapEntry(profiles, macros, profile, EntryAt(default_map, k)));
  }
  return block;
}

void ImportKeyMapBlock(ProfileRecords records, const KeyMapBlock& block,
                       const KeyMapBlock& default_map) {
  ResetProfileAssignments(records);
  for (std::size_t k = 0; k < kKeyMapPositions; ++k) {
    const KeyMapEntry d = EntryAt(default_map, k);
    const KeyMapEntry e = EntryAt(block, k);
    if (e == d) continue;
    const std::uint16_t slot = SlotOfCode(DecodeKeyMapEntry(d));
    if (slot == 0 || slot >= kSlotsPerProfile) continue;
    KeyAssignment& record = records[slot];
    record.type = AssignmentType::kDisabled;
    switch (e.kind) {
      case entry_kind::kMacroControl:
        if (e.a == kMacroPlay) {
          record.type = AssignmentType::kMacro;
          record.value = e.b + 1u;
        } else if (e.a == kMacroStop) {
          record.type = AssignmentType::kStopMacro;
        } else if (e.a == kMacroFunction) {
          record.type = AssignmentType::kFunction;
          record.value = e.b;
        }
        break;
      case entry_kind::kConsumer:
        if (const auto media = MediaIndexOfUsage(static_cast<std::uint16_t>(e.a | (e.b << 8)))) {
          record.type = AssignmentType::kMedia;
          record.value = static_cast<std::uint32_t>(*media);
        }
        break;
      case entry_kind::kKeyboard:
        if (e.a == kKeyboardUsage) {
          if (const std::uint16_t code = CodeOfUsage({kPageKeyboard, e.b}); code != kNoKey) {
            record.type = AssignmentType::kSingleKey;
            record.value = code;
          }
        } else if (e.a == kKeyboardModifiers && e.b != 0) {
          // Without a bit the entry sends nothing: the key stays disabled.
          record.type = AssignmentType::kSingleKey;
          record.value = CodeOfModifierBit(e.b);
        }
        break;
      default:
        break;
    }
  }
}

void ResetProfileAssignments(ProfileRecords records) {
  for (KeyAssignment& record : records) record = KeyAssignment{};
  for (std::size_t slot = kFirstGSlot; slot < kFirstGSlot + kGSlotCount; ++slot) {
    records[slot].tag = GSlotTag(slot);
  }
}

void ResetAllAssignments(ProfileSet& profiles) {
  for (KeyAssignment& record : profiles.records) record = KeyAssignment{};
  ResetProfileAssignments(profiles.Profile(0));
}

}  // namespace tarvolin::model
