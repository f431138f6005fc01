#include "profiles/profile_json.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "model/key_buttons.h"
#include "model/key_map.h"
#include "model/key_table.h"
#include "model/macro_library.h"
#include "model/media_keys.h"
#include "model/model_text.h"
#include "profiles/json_value.h"
#include "profiles/profile_content.h"
#include "profiles/profile_file_format.h"
#include "profiles/string_area.h"

namespace tarvolin::profiles {
namespace {

using Bytes = std::vector<std::uint8_t>;
using model::AssignmentType;
using model::KeyAssignment;
using model::MacroRecord;

constexpr std::string_view kFormatName = "tarvolin profile file";
// Differences closer than this are kept in one patch, so a patch reads as one region.
constexpr std::size_t kPatchJoinGap = 8;

constexpr std::array<std::string_view, 9> kTypeNames = {
    "default",    "disabled",   "single_key", "launch_program", "macro",
    "stop_macro", "text_block", "multimedia", "function"};

struct Patch {
  std::size_t at = 0;
  Bytes bytes;
};

struct GroupDocument {
  bool g_slot_tags = false;  // the reset of a hardware profile: G slots carry their tags
  std::vector<std::pair<std::uint16_t, KeyAssignment>> records;  // those unlike the reset
  std::vector<std::pair<std::uint16_t, std::u16string>> texts;
};

// Everything the JSON says about a file.
struct ProfileDocument {
  std::uint8_t flag = 0;
  std::optional<std::uint32_t> string_bytes;
  std::optional<std::array<std::uint8_t, kDescriptorBytes>> descriptor;  // empty: the standard
  std::array<GroupDocument, model::kProfileCount> groups;
  std::vector<MacroRecord> macros;
  std::vector<Patch> patches;
  Bytes trailing;
};

std::array<std::uint8_t, kDescriptorBytes> StandardDescriptor() {
  auto set = std::make_unique<model::ProfileSet>();
  model::WriteProfileSetDescriptor(*set);
  std::array<std::uint8_t, kDescriptorBytes> descriptor{};
  std::memcpy(descriptor.data(), set->header.data() + kDescriptorOffset, kDescriptorBytes);
  return descriptor;
}

KeyAssignment ResetRecord(bool g_slot_tags, std::size_t slot) {
  KeyAssignment record;
  if (g_slot_tags && model::IsGSlot(slot)) record.tag = model::GSlotTag(slot);
  return record;
}

std::string HexText(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t b : bytes) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0xF]);
  }
  return text;
}

std::string HexNumber(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

// The file bytes a document stands for.
std::optional<Bytes> BuildBytes(const ProfileDocument& document, std::string& error) {
  auto set = std::make_unique<model::ProfileSet>();
  std::vector<model::StringEntry> strings(model::kRecordCount);
  std::uint64_t text_bytes = 0;
  for (int g = 0; g < model::kProfileCount; ++g) {
    const GroupDocument& group = document.groups[static_cast<std::size_t>(g)];
    for (std::uint16_t slot = 0; slot < model::kSlotsPerProfile; ++slot) {
      set->Record(g, slot) = ResetRecord(group.g_slot_tags, slot);
    }
    for (const auto& [slot, record] : group.records) set->Record(g, slot) = record;
    for (const auto& [slot, text] : group.texts) {
      model::StringEntry& entry =
          strings[static_cast<std::size_t>(g) * model::kSlotsPerProfile + slot];
      text_bytes -= entry.bytes;
      entry.text = text.substr(0, text.find(u'\0'));
      entry.bytes = static_cast<std::uint32_t>(2 * (entry.text.size() + 1));
      text_bytes += entry.bytes;
    }
  }
  const std::uint64_t string_bytes = document.string_bytes.value_or(text_bytes);
  if (DeclaredFileSize(document.macros.size(), string_bytes) > kMaxProfileFileBytes) {
    error = "the file would be larger than 4 GiB";
    return std::nullopt;
  }

  model::WriteProfileHeader(*set, static_cast<std::uint16_t>(document.macros.size()),
                            static_cast<std::uint32_t>(string_bytes));
  if (document.flag != 0) {
    set->header[30] = document.flag;
    set->header[31] = HeaderChecksum(std::span(set->header).first<kFileHeaderBytes>());
  }
  const auto descriptor = document.descriptor.value_or(StandardDescriptor());
  std::memcpy(set->header.data() + kDescriptorOffset, descriptor.data(), kDescriptorBytes);

  const Bytes area = PackStringArea(
      *set, [&strings](std::size_t i) -> const model::StringEntry& { return strings[i]; },
      static_cast<std::uint32_t>(string_bytes));
  Bytes bytes(kProfileSetBytes + kMacroRecordBytes * document.macros.size());
  std::memcpy(bytes.data(), set.get(), kProfileSetBytes);
  if (!document.macros.empty()) {
    std::memcpy(bytes.data() + kProfileSetBytes, document.macros.data(),
                kMacroRecordBytes * document.macros.size());
  }
  bytes.insert(bytes.end(), area.begin(), area.end());
  for (const Patch& patch : document.patches) {
    if (patch.at > bytes.size() || patch.bytes.size() > bytes.size() - patch.at) {
      error = "the patch at " + std::to_string(patch.at) + " reaches past the declared size of " +
              std::to_string(bytes.size()) + " bytes";
      return std::nullopt;
    }
    std::copy(patch.bytes.begin(), patch.bytes.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(patch.at));
  }
  bytes.insert(bytes.end(), document.trailing.begin(), document.trailing.end());
  return bytes;
}

std::vector<Patch> Differences(std::span<const std::uint8_t> built,
                               std::span<const std::uint8_t> original) {
  std::vector<Patch> patches;
  std::size_t i = 0;
  while (i < built.size()) {
    if (built[i] == original[i]) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    std::size_t last_difference = i;
    while (end < built.size() && end - last_difference <= kPatchJoinGap) {
      if (built[end] != original[end]) last_difference = end;
      ++end;
    }
    patches.push_back(
        {i, Bytes(original.begin() + static_cast<std::ptrdiff_t>(i),
                  original.begin() + static_cast<std::ptrdiff_t>(last_difference + 1))});
    i = last_difference + 1;
  }
  return patches;
}

// The readable parts of a macro record; anything else is left to the patches.
MacroRecord ReadableMacro(const MacroRecord& stored) {
  MacroRecord macro;
  macro.SetName(stored.Name());
  macro.play_count = stored.play_count;
  macro.reserved1 = stored.reserved1;
  macro.new_mark = stored.new_mark;
  macro.play_mode = stored.play_mode;
  macro.id = stored.id;
  macro.reserved2 = stored.reserved2;
  const auto actions = stored.UsedActions();
  std::copy(actions.begin(), actions.end(), macro.actions.begin());
  macro.action_count = static_cast<std::uint16_t>(actions.size());
  return macro;
}

std::optional<ProfileDocument> DocumentOf(std::span<const std::uint8_t> bytes, std::string& error) {
  ProfileContent content;
  switch (ParseProfileContent(bytes, content)) {
    case ContentFault::kNone:
      break;
    case ContentFault::kShorterThanProfileSet:
      error = "not a profile file: fewer than 32832 bytes";
      return std::nullopt;
    case ContentFault::kTooManyMacros:
      error = "not a profile file: the header counts more than 100 macros";
      return std::nullopt;
    case ContentFault::kShorterThanDeclared:
      error = "not a profile file: the file is shorter than its header declares";
      return std::nullopt;
  }
  const ProfileFileHeader header = ProfileFileHeader::Parse(bytes.first<kFileHeaderBytes>());
  ProfileDocument document;
  document.flag = header.flag;
  document.string_bytes = header.string_bytes;
  std::array<std::uint8_t, kDescriptorBytes> descriptor{};
  std::memcpy(descriptor.data(), bytes.data() + kDescriptorOffset, kDescriptorBytes);
  if (descriptor != StandardDescriptor()) document.descriptor = descriptor;

  const model::ProfileSet& set = *content.set;
  for (int g = 0; g < model::kProfileCount; ++g) {
    GroupDocument& group = document.groups[static_cast<std::size_t>(g)];
    int tagged = 0;
    for (std::uint16_t slot = model::kFirstGSlot; slot < model::kFirstGSlot + model::kGSlotCount;
         ++slot) {
      tagged += set.Record(g, slot).tag == model::GSlotTag(slot) ? 1 : 0;
    }
    group.g_slot_tags = tagged * 2 >= model::kGSlotCount;
    for (std::uint16_t slot = 0; slot < model::kSlotsPerProfile; ++slot) {
      if (set.Record(g, slot) != ResetRecord(group.g_slot_tags, slot)) {
        group.records.emplace_back(slot, set.Record(g, slot));
      }
    }
  }
  for (const auto& [index, text] : content.texts) {
    document.groups[index / model::kSlotsPerProfile].texts.emplace_back(
        static_cast<std::uint16_t>(index % model::kSlotsPerProfile), text);
  }
  for (const MacroRecord& macro : content.macros) document.macros.push_back(ReadableMacro(macro));

  const std::size_t declared =
      static_cast<std::size_t>(DeclaredFileSize(header.macro_count, header.string_bytes));
  const std::optional<Bytes> built = BuildBytes(document, error);
  if (!built || built->size() != declared) {
    error = "the file could not be rendered";
    return std::nullopt;
  }
  document.patches = Differences(*built, bytes.first(declared));
  document.trailing.assign(bytes.begin() + static_cast<std::ptrdiff_t>(declared), bytes.end());
  return document;
}

// ---- rendering ----------------------------------------------------------------------------

std::u16string SlotName(std::uint16_t slot) {
  if (slot < model::kKeyTableSize) {
    return model::KeyTable()[slot].name.empty() && model::KeyTable()[slot].name_text_key.empty()
               ? std::u16string()
               : model::KeyName(model::CodeOfSlot(slot));
  }
  if (model::IsGSlot(slot)) {
    const int index = slot - model::kFirstGSlot;
    return model::GKeyName(index % model::kGKeyCount) +
           (index >= model::kGKeyCount ? u" (bank B)" : u"");
  }
  return {};
}

const MacroRecord* MacroWithId(const std::vector<MacroRecord>& macros, std::uint32_t id) {
  return id > 0xFFFF ? nullptr : model::FindMacroById(macros, static_cast<std::uint16_t>(id));
}

JsonValue AssignmentJson(std::uint16_t slot, const KeyAssignment& record,
                         const std::u16string* text, const std::vector<MacroRecord>& macros) {
  JsonValue json = JsonValue::Object();
  json.Set("slot", JsonValue::String(HexNumber(slot, 3)));
  if (const std::u16string name = SlotName(slot); !name.empty()) {
    json.Set("key", JsonValue::String(name));
  }
  if (record.type < kTypeNames.size()) {
    json.Set("type", JsonValue::String(kTypeNames[record.type]));
  } else {
    json.Set("type", JsonValue::Integer(record.type));
  }
  switch (record.type) {
    case AssignmentType::kSingleKey:
      json.Set("value", JsonValue::String(HexNumber(record.value, 3)));
      if (record.value <= 0xFFFF) {
        json.Set("value_key",
                 JsonValue::String(model::KeyName(static_cast<std::uint16_t>(record.value))));
      }
      break;
    case AssignmentType::kMacro:
      json.Set("value", JsonValue::Integer(record.value));
      if (const MacroRecord* macro = MacroWithId(macros, record.value)) {
        json.Set("macro", JsonValue::String(std::u16string(macro->Name())));
      }
      break;
    case AssignmentType::kMedia:
      json.Set("value", JsonValue::Integer(record.value));
      if (record.value < model::kMediaKeyCount) {
        // The language key names the key unambiguously; several built-in names coincide.
        json.Set("media", JsonValue::String(model::MediaKeyTable()[record.value].name_text_key));
      }
      break;
    case AssignmentType::kFunction:
      json.Set("value", JsonValue::Integer(record.value));
      if (record.value < static_cast<std::uint32_t>(model::kFunctionCount)) {
        json.Set("function", JsonValue::String(model::ModelText(
                                 model::FunctionTextKey(static_cast<int>(record.value)))));
      }
      break;
    default:
      if (record.value != 0 || IsStringType(record.type)) {
        json.Set("value", JsonValue::Integer(record.value));
      }
      break;
  }
  if (text != nullptr) json.Set("text", JsonValue::String(*text));
  if (record.tag != 0) json.Set("tag", JsonValue::String(HexNumber(record.tag, 4)));
  if (record.mark != 0) json.Set("mark", JsonValue::Integer(record.mark));
  if (record.reserved != 0) json.Set("reserved", JsonValue::Integer(record.reserved));
  return json;
}

JsonValue MacroJson(const MacroRecord& macro) {
  JsonValue json = JsonValue::Object();
  json.Set("id", JsonValue::Integer(macro.id));
  json.Set("name", JsonValue::String(std::u16string(macro.Name())));
  json.Set("play_count", JsonValue::Integer(macro.play_count));
  if (macro.play_mode != 0) json.Set("play_mode", JsonValue::Integer(macro.play_mode));
  if (macro.new_mark != 0) json.Set("new_mark", JsonValue::Integer(macro.new_mark));
  if (macro.reserved1 != 0) json.Set("reserved1", JsonValue::Integer(macro.reserved1));
  if (macro.reserved2 != 0) json.Set("reserved2", JsonValue::Integer(macro.reserved2));
  JsonValue& steps = json.Set("steps", JsonValue::Array());
  for (const model::MacroAction& action : macro.UsedActions()) {
    JsonValue step = JsonValue::Object();
    step.Set("delay_ms", JsonValue::Integer(action.delay_ms));
    step.Set("code", JsonValue::String(HexNumber(action.code, 3)));
    step.Set("key", JsonValue::String(model::KeyName(action.code)));
    if (action.direction == model::kPress || action.direction == model::kRelease) {
      step.Set("direction",
               JsonValue::String(action.direction == model::kPress ? "press" : "release"));
    } else {
      step.Set("direction", JsonValue::Integer(action.direction));
    }
    steps.Append(std::move(step));
  }
  return json;
}

JsonValue DocumentJson(const ProfileDocument& document, std::span<const std::uint8_t> bytes) {
  const ProfileFileHeader header = ProfileFileHeader::Parse(bytes.first<kFileHeaderBytes>());
  JsonValue root = JsonValue::Object();
  root.Set("format", JsonValue::String(kFormatName));
  JsonValue& header_json = root.Set("header", JsonValue::Object());
  header_json.Set("magic", JsonValue::String(HexNumber(header.magic, 4)));
  header_json.Set("total_size", JsonValue::Integer(header.total_size));
  header_json.Set("macro_count", JsonValue::Integer(header.macro_count));
  header_json.Set("string_bytes", JsonValue::Integer(header.string_bytes));
  header_json.Set("flag", JsonValue::Integer(header.flag));
  header_json.Set("checksum", JsonValue::String(HexNumber(header.checksum, 2)));
  root.Set("descriptor", document.descriptor ? JsonValue::String(HexText(*document.descriptor))
                                             : JsonValue::String("standard"));

  JsonValue& groups = root.Set("groups", JsonValue::Array());
  for (std::size_t g = 0; g < document.groups.size(); ++g) {
    const GroupDocument& group = document.groups[g];
    JsonValue& group_json = groups.Append(JsonValue::Object());
    group_json.Set("group", JsonValue::Integer(static_cast<std::int64_t>(g)));
    group_json.Set("g_slot_tags", JsonValue::Bool(group.g_slot_tags));
    JsonValue& assignments = group_json.Set("assignments", JsonValue::Array());
    std::size_t next_text = 0;
    for (const auto& [slot, record] : group.records) {
      while (next_text < group.texts.size() && group.texts[next_text].first < slot) ++next_text;
      const std::u16string* text =
          next_text < group.texts.size() && group.texts[next_text].first == slot
              ? &group.texts[next_text].second
              : nullptr;
      assignments.Append(AssignmentJson(slot, record, text, document.macros));
    }
  }
  JsonValue& macros = root.Set("macros", JsonValue::Array());
  for (const MacroRecord& macro : document.macros) macros.Append(MacroJson(macro));
  if (!document.patches.empty()) {
    JsonValue& patches = root.Set("patches", JsonValue::Array());
    for (const Patch& patch : document.patches) {
      JsonValue& patch_json = patches.Append(JsonValue::Object());
      patch_json.Set("at", JsonValue::Integer(static_cast<std::int64_t>(patch.at)));
      patch_json.Set("hex", JsonValue::String(HexText(patch.bytes)));
    }
  }
  if (!document.trailing.empty()) {
    root.Set("trailing", JsonValue::String(HexText(document.trailing)));
  }
  return root;
}

// ---- reading back -------------------------------------------------------------------------

// Reads fields with the path of each value in its error messages.
class Reader {
 public:
  explicit Reader(std::string& error) : error_(error) {}

  bool Fail(const std::string& path, const std::string& message) {
    if (error_.empty()) error_ = path + ": " + message;
    return false;
  }

  // A whole number written as a number or as "0x..." text.
  bool Number(const JsonValue& value, const std::string& path, std::int64_t min, std::int64_t max,
              std::int64_t& out) {
    if (value.kind() == JsonValue::Kind::kInteger) {
      out = value.AsInteger();
    } else if (value.kind() == JsonValue::Kind::kString) {
      const std::u16string& text = value.AsString();
      if (text.size() < 3 || text.size() > 18 || text[0] != u'0' ||
          (text[1] != u'x' && text[1] != u'X')) {
        return Fail(path, "expected a number or \"0x\" and hex digits");
      }
      std::uint64_t parsed = 0;
      for (std::size_t i = 2; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) return Fail(path, "expected hex digits after \"0x\"");
        parsed = parsed << 4 | static_cast<std::uint64_t>(digit);
      }
      if (parsed > static_cast<std::uint64_t>(max)) return Fail(path, "number out of range");
      out = static_cast<std::int64_t>(parsed);
    } else {
      return Fail(path, "expected a number");
    }
    if (out < min || out > max) {
      return Fail(path, "must lie between " + std::to_string(min) + " and " + std::to_string(max));
    }
    return true;
  }

  template <typename T>
  bool Field(const JsonValue& object, std::string_view key, const std::string& path, T& out,
             std::optional<T> fallback = std::nullopt) {
    const JsonValue* value = object.Find(key);
    if (value == nullptr) {
      if (fallback) {
        out = *fallback;
        return true;
      }
      return Fail(path, "\"" + std::string(key) + "\" is missing");
    }
    std::int64_t number = 0;
    constexpr auto kMax = static_cast<std::int64_t>(std::min<std::uint64_t>(
        std::numeric_limits<T>::max(), std::numeric_limits<std::int64_t>::max()));
    if (!Number(*value, path + "." + std::string(key), std::numeric_limits<T>::min(), kMax,
                number)) {
      return false;
    }
    out = static_cast<T>(number);
    return true;
  }

  bool Hex(const JsonValue& value, const std::string& path, Bytes& out) {
    if (value.kind() != JsonValue::Kind::kString || value.AsString().size() % 2 != 0) {
      return Fail(path, "expected an even number of hex digits");
    }
    out.clear();
    const std::u16string& text = value.AsString();
    for (std::size_t i = 0; i < text.size(); i += 2) {
      const int high = HexDigit(text[i]);
      const int low = HexDigit(text[i + 1]);
      if (high < 0 || low < 0) return Fail(path, "expected hex digits");
      out.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return true;
  }

  const JsonValue* Require(const JsonValue& object, std::string_view key, JsonValue::Kind kind,
                           const std::string& path) {
    const JsonValue* value = object.Find(key);
    if (value == nullptr || value->kind() != kind) {
      Fail(path, "\"" + std::string(key) + "\" is missing or of the wrong kind");
      return nullptr;
    }
    return value;
  }

 private:
  static int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
  }

  std::string& error_;
};

bool ReadAssignment(Reader& reader, const JsonValue& json, const std::string& path,
                    GroupDocument& group) {
  if (json.kind() != JsonValue::Kind::kObject) return reader.Fail(path, "expected an object");
  std::uint16_t slot = 0;
  if (!reader.Field(json, "slot", path, slot)) return false;
  if (slot >= model::kSlotsPerProfile) return reader.Fail(path + ".slot", "must be below 0x200");
  KeyAssignment record;
  const JsonValue* type = json.Find("type");
  if (type != nullptr && type->kind() == JsonValue::Kind::kString) {
    const std::u16string& name = type->AsString();
    bool found = false;
    for (std::size_t t = 0; t < kTypeNames.size(); ++t) {
      if (name == std::u16string(kTypeNames[t].begin(), kTypeNames[t].end())) {
        record.type = static_cast<std::uint16_t>(t);
        found = true;
      }
    }
    if (!found) return reader.Fail(path + ".type", "unknown assignment type");
  } else if (!reader.Field(json, "type", path, record.type)) {
    return false;
  }
  if (!reader.Field(json, "value", path, record.value, std::optional<std::uint32_t>(0)) ||
      !reader.Field(json, "tag", path, record.tag, std::optional<std::uint16_t>(0)) ||
      !reader.Field(json, "mark", path, record.mark, std::optional<std::uint32_t>(0)) ||
      !reader.Field(json, "reserved", path, record.reserved, std::optional<std::uint32_t>(0))) {
    return false;
  }
  for (const auto& [listed, unused] : group.records) {
    if (listed == slot) return reader.Fail(path + ".slot", "the slot is listed twice");
  }
  group.records.emplace_back(slot, record);
  if (const JsonValue* text = json.Find("text")) {
    if (text->kind() != JsonValue::Kind::kString)
      return reader.Fail(path + ".text", "expected text");
    group.texts.emplace_back(slot, text->AsString());
  }
  return true;
}

bool ReadMacro(Reader& reader, const JsonValue& json, const std::string& path, MacroRecord& macro) {
  if (json.kind() != JsonValue::Kind::kObject) return reader.Fail(path, "expected an object");
  const JsonValue* name = reader.Require(json, "name", JsonValue::Kind::kString, path);
  const JsonValue* steps = reader.Require(json, "steps", JsonValue::Kind::kArray, path);
  if (name == nullptr || steps == nullptr) return false;
  if (name->AsString().size() > MacroRecord::kMaxNameLength) {
    return reader.Fail(path + ".name", "longer than 249 characters");
  }
  macro.SetName(name->AsString());
  if (!reader.Field(json, "id", path, macro.id) ||
      !reader.Field(json, "play_count", path, macro.play_count) ||
      !reader.Field(json, "play_mode", path, macro.play_mode, std::optional<std::uint16_t>(0)) ||
      !reader.Field(json, "new_mark", path, macro.new_mark, std::optional<std::uint16_t>(0)) ||
      !reader.Field(json, "reserved1", path, macro.reserved1, std::optional<std::uint8_t>(0)) ||
      !reader.Field(json, "reserved2", path, macro.reserved2, std::optional<std::uint16_t>(0))) {
    return false;
  }
  if (steps->Items().size() > MacroRecord::kMaxActions) {
    return reader.Fail(path + ".steps", "more than 2000 steps");
  }
  for (std::size_t s = 0; s < steps->Items().size(); ++s) {
    const JsonValue& step = steps->Items()[s];
    const std::string step_path = path + ".steps[" + std::to_string(s) + "]";
    if (step.kind() != JsonValue::Kind::kObject)
      return reader.Fail(step_path, "expected an object");
    model::MacroAction& action = macro.actions[s];
    if (!reader.Field(step, "delay_ms", step_path, action.delay_ms) ||
        !reader.Field(step, "code", step_path, action.code)) {
      return false;
    }
    const JsonValue* direction = step.Find("direction");
    if (direction != nullptr && direction->kind() == JsonValue::Kind::kString) {
      if (direction->AsString() == u"press") {
        action.direction = model::kPress;
      } else if (direction->AsString() == u"release") {
        action.direction = model::kRelease;
      } else {
        return reader.Fail(step_path + ".direction", "expected \"press\" or \"release\"");
      }
    } else if (!reader.Field(step, "direction", step_path, action.direction)) {
      return false;
    }
  }
  macro.action_count = static_cast<std::uint16_t>(steps->Items().size());
  return true;
}

bool ReadDocument(const JsonValue& root, ProfileDocument& document, std::string& error) {
  Reader reader(error);
  if (root.kind() != JsonValue::Kind::kObject) return reader.Fail("document", "expected an object");
  const JsonValue* format = root.Find("format");
  if (format == nullptr || format->kind() != JsonValue::Kind::kString ||
      format->AsString() != std::u16string(kFormatName.begin(), kFormatName.end())) {
    return reader.Fail("format", "expected \"" + std::string(kFormatName) + "\"");
  }
  if (const JsonValue* header = root.Find("header")) {
    if (header->kind() != JsonValue::Kind::kObject)
      return reader.Fail("header", "expected an object");
    if (!reader.Field(*header, "flag", "header", document.flag, std::optional<std::uint8_t>(0))) {
      return false;
    }
    if (header->Find("string_bytes") != nullptr) {
      std::uint32_t string_bytes = 0;
      if (!reader.Field(*header, "string_bytes", "header", string_bytes)) return false;
      document.string_bytes = string_bytes;
    }
  }
  if (const JsonValue* descriptor = root.Find("descriptor");
      descriptor != nullptr &&
      !(descriptor->kind() == JsonValue::Kind::kString && descriptor->AsString() == u"standard")) {
    Bytes bytes;
    if (!reader.Hex(*descriptor, "descriptor", bytes)) return false;
    if (bytes.size() != kDescriptorBytes) return reader.Fail("descriptor", "expected 32 bytes");
    document.descriptor.emplace();
    std::copy(bytes.begin(), bytes.end(), document.descriptor->begin());
  }
  const JsonValue* groups = reader.Require(root, "groups", JsonValue::Kind::kArray, "document");
  if (groups == nullptr) return false;
  if (groups->Items().size() != model::kProfileCount)
    return reader.Fail("groups", "expected 4 groups");
  for (std::size_t g = 0; g < groups->Items().size(); ++g) {
    const JsonValue& group = groups->Items()[g];
    const std::string path = "groups[" + std::to_string(g) + "]";
    if (group.kind() != JsonValue::Kind::kObject) return reader.Fail(path, "expected an object");
    const JsonValue* tags = group.Find("g_slot_tags");
    if (tags != nullptr && tags->kind() != JsonValue::Kind::kBool) {
      return reader.Fail(path + ".g_slot_tags", "expected true or false");
    }
    document.groups[g].g_slot_tags = tags != nullptr && tags->AsBool();
    const JsonValue* assignments =
        reader.Require(group, "assignments", JsonValue::Kind::kArray, path);
    if (assignments == nullptr) return false;
    for (std::size_t a = 0; a < assignments->Items().size(); ++a) {
      if (!ReadAssignment(reader, assignments->Items()[a],
                          path + ".assignments[" + std::to_string(a) + "]", document.groups[g])) {
        return false;
      }
    }
  }
  if (const JsonValue* macros = root.Find("macros")) {
    if (macros->kind() != JsonValue::Kind::kArray) return reader.Fail("macros", "expected a list");
    if (macros->Items().size() > model::kMaxMacros) return reader.Fail("macros", "more than 100");
    document.macros.resize(macros->Items().size());
    for (std::size_t m = 0; m < macros->Items().size(); ++m) {
      if (!ReadMacro(reader, macros->Items()[m], "macros[" + std::to_string(m) + "]",
                     document.macros[m])) {
        return false;
      }
    }
  }
  if (const JsonValue* patches = root.Find("patches")) {
    if (patches->kind() != JsonValue::Kind::kArray)
      return reader.Fail("patches", "expected a list");
    for (std::size_t p = 0; p < patches->Items().size(); ++p) {
      const JsonValue& patch_json = patches->Items()[p];
      const std::string path = "patches[" + std::to_string(p) + "]";
      if (patch_json.kind() != JsonValue::Kind::kObject)
        return reader.Fail(path, "expected an object");
      Patch patch;
      const JsonValue* hex = patch_json.Find("hex");
      if (!reader.Field(patch_json, "at", path, patch.at) || hex == nullptr ||
          !reader.Hex(*hex, path + ".hex", patch.bytes)) {
        return reader.Fail(path, "expected \"at\" and \"hex\"");
      }
      document.patches.push_back(std::move(patch));
    }
  }
  if (const JsonValue* trailing = root.Find("trailing")) {
    if (!reader.Hex(*trailing, "trailing", document.trailing)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ProfileFileToJson(std::span<const std::uint8_t> bytes,
                                             std::string& error) {
  try {
    const std::optional<ProfileDocument> document = DocumentOf(bytes, error);
    if (!document) return std::nullopt;
    return WriteJson(DocumentJson(*document, bytes));
  } catch (const std::bad_alloc&) {
    error = "out of memory";
    return std::nullopt;
  }
}

std::optional<std::vector<std::uint8_t>> ProfileFileFromJson(std::string_view json,
                                                             std::string& error) {
  try {
    JsonError json_error;
    const std::optional<JsonValue> root = ParseJson(json, json_error);
    if (!root) {
      error = json_error.ToString();
      return std::nullopt;
    }
    auto document = std::make_unique<ProfileDocument>();
    if (!ReadDocument(*root, *document, error)) return std::nullopt;
    return BuildBytes(*document, error);
  } catch (const std::bad_alloc&) {
    error = "out of memory";
    return std::nullopt;
  }
}

}  // namespace tarvolin::profiles
