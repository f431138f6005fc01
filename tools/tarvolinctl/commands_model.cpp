// tarvolinctl keys, read-profile and read-macros: the key table, and the keyboard's key maps
// and macro image decoded the way the program reads them back into a profile.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "device/commands.h"
#include "model/key_buttons.h"
#include "model/key_map.h"
#include "model/key_table.h"
#include "model/macro_image.h"
#include "model/macro_library.h"
#include "model/media_keys.h"
#include "model/model_text.h"
#include "platform/number_text.h"
#include "platform/utf8.h"
#include "tools/tarvolinctl/ctl_command.h"

namespace tarvolin::ctl {
namespace {

using namespace tarvolin::model;

std::string Format(const char* format, unsigned value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Pad(std::string text, std::size_t width) {
  // Columns count characters, not UTF-8 bytes.
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (characters < width) text.append(width - characters, ' ');
  return text;
}

std::string UsageText(std::uint16_t code) {
  const HidUsage usage = UsageOfCode(code);
  if (usage.page == 0) return "-";
  return Format("%u:", usage.page) + Format("0x%03X", usage.usage);
}

std::string CodeText(std::uint16_t code) {
  return Format("0x%03X", code);
}

std::string NameOf(std::uint16_t code) {
  return EncodeUtf8(KeyName(code));
}

int RunKeys(CtlContext& context, Args args) {
  if (!args.empty()) return kExitUsage;
  std::vector<std::uint16_t> button_of_slot(kKeyTableSize, 0);
  for (const KeyButton& button : KeyButtonTable())
    button_of_slot[SlotOfCode(button.code)] = button.button_id;

  context.out << "list    code   slot   usage       button  name\n";
  // The key list in drop-down order, then the keys outside it.
  std::vector<std::pair<std::uint16_t, std::uint16_t>> rows;  // {list id, slot}
  for (std::uint16_t slot = 0; slot < kKeyTableSize; ++slot) {
    if (KeyTable()[slot].list_id != kNoListId) rows.emplace_back(KeyTable()[slot].list_id, slot);
  }
  std::sort(rows.begin(), rows.end());
  for (const auto& [list_id, slot] : rows) {
    const std::uint16_t code = CodeOfSlot(slot);
    const std::uint16_t button = button_of_slot[slot];
    context.out << Pad(Format("0x%02X", list_id), 8) << Pad(CodeText(code), 7)
                << Pad(Format("0x%02X", slot), 7) << Pad(UsageText(code), 12)
                << Pad(button != 0 ? std::to_string(button) : "-", 8) << NameOf(code);
    // A media key's name is a language text; the key tells which one it is.
    if (const auto text_key = KeyTable()[slot].name_text_key; !text_key.empty()) {
      context.out << " (" << text_key << ")";
    }
    context.out << '\n';
  }
  for (int j = 0; j < kGKeyCount; ++j) {
    const std::uint16_t slot_a = SlotOfGKey(j, 0);
    const std::uint16_t slot_b = SlotOfGKey(j, 1);
    context.out << Pad("G", 8) << Pad(CodeText(CodeOfSlot(slot_a)), 7)
                << Pad(Format("0x%03X", slot_a), 7) << Pad("-", 12)
                << Pad(std::to_string(GKeyTable()[static_cast<std::size_t>(j)].button_id), 8)
                << EncodeUtf8(GKeyName(j)) << " (bank B: " << CodeText(CodeOfSlot(slot_b))
                << " in slot " << Format("0x%03X", slot_b) << ")\n";
  }
  return kExitOk;
}

// Reads the macro image; an area without the marker holds no macros.
int ReadMacroImage(CtlContext& context, std::vector<MacroRecord>& macros, bool& damaged) {
  damaged = false;
  macros.clear();
  std::vector<std::uint8_t> head(kMacroImageHeaderSize);
  int result = device::ReadMacros(context.channel, head.data(), head.size());
  if (result != device::kResultOk) return result;
  if ((head[0] | head[1] << 8) != kMacroImageMagic) return device::kResultOk;
  std::vector<std::uint8_t> image(static_cast<std::size_t>(head[2] | head[3] << 8));
  result = device::ReadMacros(context.channel, image.data(), image.size());
  if (result != device::kResultOk) return result;
  damaged = !ParseMacroImage(image, macros);
  return device::kResultOk;
}

std::string AssignmentText(const KeyAssignment& record, const std::vector<MacroRecord>& macros) {
  switch (record.type) {
    case AssignmentType::kDisabled:
      return "disabled";
    case AssignmentType::kSingleKey:
      return "single key  " + NameOf(static_cast<std::uint16_t>(record.value)) + " (" +
             CodeText(static_cast<std::uint16_t>(record.value)) + ")";
    case AssignmentType::kMacro: {
      const MacroRecord* macro = FindMacroById(macros, static_cast<std::uint16_t>(record.value));
      return "macro       " + std::to_string(record.value) +
             (macro ? " \"" + EncodeUtf8(macro->Name()) + "\""
                    : std::string(" (not in the image)"));
    }
    case AssignmentType::kStopMacro:
      return "stop macro";
    case AssignmentType::kMedia:
      return "multimedia  " + std::to_string(record.value) + " " +
             std::string(MediaKeyTable()[record.value].name_text_key) + " (usage " +
             Format("0x%03X", MediaKeyTable()[record.value].consumer_usage) + ")";
    case AssignmentType::kFunction:
      return "function    " + std::to_string(record.value) + " " +
             (record.value < static_cast<std::uint32_t>(kFunctionCount)
                  ? EncodeUtf8(ModelText(FunctionTextKey(static_cast<int>(record.value))))
                  : std::string("(unknown)"));
    default:
      return "type " + std::to_string(record.type);
  }
}

int RunReadProfile(CtlContext& context, Args args) {
  long profile = 0;
  if (args.size() != 1 || !ParseNumber(args[0], 0, kHardwareProfileCount - 1, profile)) {
    context.err << "read-profile takes a hardware profile 0, 1 or 2\n";
    return kExitUsage;
  }
  KeyMapBlock defaults{};
  int result = device::ReadDefaultLayout(context.channel, defaults.data());
  if (result != device::kResultOk) {
    context.err << "reading the default layout failed (" << result << ")\n";
    return ExitCodeOf(result);
  }
  KeyMapBlock block{};
  result = device::ReadKeyMap(context.channel, static_cast<int>(profile), block.data());
  if (result != device::kResultOk) {
    context.err << "reading key map " << profile << " failed (" << result << ")\n";
    return ExitCodeOf(result);
  }
  std::vector<MacroRecord> macros;
  bool damaged = false;
  if (ReadMacroImage(context, macros, damaged) != device::kResultOk || damaged) {
    macros.clear();  // names are a courtesy here; the key map stands on its own
  }

  std::vector<KeyAssignment> storage(kSlotsPerProfile);
  ProfileRecords records(storage.data(), kSlotsPerProfile);
  ImportKeyMapBlock(records, block, defaults);

  int assigned = 0;
  context.out << "profile " << profile << "\npos  entry     slot   key               assignment\n";
  for (std::size_t k = 0; k < kKeyMapPositions; ++k) {
    const KeyMapEntry entry = EntryAt(block, k);
    const std::uint16_t code = DecodeKeyMapEntry(EntryAt(defaults, k));
    if (code == kNoKey) continue;
    const std::uint16_t slot = SlotOfCode(code);
    if (slot >= kSlotsPerProfile || records[slot].type == AssignmentType::kDefault) continue;
    ++assigned;
    const std::string key = code >= kFirstInternalCode
                                ? "G" + std::to_string(code - kFirstInternalCode + 1)
                                : NameOf(code);
    context.out << Pad(std::to_string(k), 5)
                << Pad(Hex(reinterpret_cast<const std::uint8_t*>(&entry), 3), 10)
                << Pad(Format("0x%03X", slot), 7) << Pad(key, 18)
                << AssignmentText(records[slot], macros) << '\n';
  }
  context.out << assigned << " of " << kKeyMapPositions
              << " positions differ from the default layout\n";
  return kExitOk;
}

std::string StepText(const MacroAction& action) {
  return std::string(action.direction == kPress ? "press   " : "release ") +
         Pad(NameOf(action.code), 14) + " " + CodeText(action.code) + "  then " +
         std::to_string(action.delay_ms) + " ms";
}

int RunReadMacros(CtlContext& context, Args args) {
  if (!args.empty()) return kExitUsage;
  std::vector<MacroRecord> macros;
  bool damaged = false;
  const int result = ReadMacroImage(context, macros, damaged);
  if (result != device::kResultOk) {
    context.err << "reading the macro area failed (" << result << ")\n";
    return ExitCodeOf(result);
  }
  if (damaged) {
    context.err << "the keyboard's macro area is not a valid macro image\n";
    return kExitFailure;
  }
  context.out << macros.size() << " macro" << (macros.size() == 1 ? "" : "s") << '\n';
  for (const MacroRecord& macro : macros) {
    context.out << "macro " << macro.id << " \"" << EncodeUtf8(macro.Name()) << "\", plays "
                << unsigned{macro.play_count} << "x, " << macro.action_count << " steps\n";
    for (const MacroAction& action : macro.UsedActions()) {
      context.out << "  " << StepText(action) << '\n';
    }
  }
  return kExitOk;
}

}  // namespace

std::vector<CtlCommand> ModelCommands() {
  return {
      {"keys", "keys                      the key table: list id, code, slot, usage, button, name",
       RunKeys, false},
      {"read-profile", "read-profile N            decode hardware profile N's key map (0..2)",
       RunReadProfile},
      {"read-macros", "read-macros               decode the keyboard's macro image", RunReadMacros},
  };
}

}  // namespace tarvolin::ctl
