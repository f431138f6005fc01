#include <cstdio>

#include "model/key_buttons.h"
#include "model/key_map.h"
#include "model/key_table.h"
#include "model/macro_library.h"
#include "model/media_keys.h"
#include "model/model_text.h"
#include "profiles/profile_json_fields.h"
#include "profiles/string_area.h"

namespace tarvolin::profiles {
namespace {

using model::AssignmentType;
using model::KeyAssignment;
using model::MacroRecord;

Json Text(std::u16string_view text) {
  return JsonString(text);
}

// Names, hex numbers and keywords: ASCII only.
Json Text(std::string_view ascii) {
  return Json(std::string(ascii));
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

Json AssignmentJson(std::uint16_t slot, const KeyAssignment& record, const std::u16string* text,
                    const std::vector<MacroRecord>& macros) {
  Json json = Json::object();
  json["slot"] = Text(HexNumber(slot, 3));
  if (const std::u16string name = SlotName(slot); !name.empty()) {
    json["key"] = Text(name);
  }
  if (record.type < kAssignmentTypeNames.size()) {
    json["type"] = Text(kAssignmentTypeNames[record.type]);
  } else {
    json["type"] = Json(record.type);
  }
  switch (record.type) {
    case AssignmentType::kSingleKey:
      json["value"] = Text(HexNumber(record.value, 3));
      if (record.value <= 0xFFFF) {
        json["value_key"] = Text(model::KeyName(static_cast<std::uint16_t>(record.value)));
      }
      break;
    case AssignmentType::kMacro:
      json["value"] = Json(record.value);
      if (const MacroRecord* macro = MacroWithId(macros, record.value)) {
        json["macro"] = Text(std::u16string(macro->Name()));
      }
      break;
    case AssignmentType::kMedia:
      json["value"] = Json(record.value);
      if (record.value < model::kMediaKeyCount) {
        // The language key names the key unambiguously; several built-in names coincide.
        json["media"] = Text(model::MediaKeyTable()[record.value].name_text_key);
      }
      break;
    case AssignmentType::kFunction:
      json["value"] = Json(record.value);
      if (record.value < static_cast<std::uint32_t>(model::kFunctionCount)) {
        json["function"] =
            Text(model::ModelText(model::FunctionTextKey(static_cast<int>(record.value))));
      }
      break;
    default:
      if (record.value != 0 || IsStringType(record.type)) {
        json["value"] = Json(record.value);
      }
      break;
  }
  if (text != nullptr) json["text"] = Text(*text);
  if (record.tag != 0) json["tag"] = Text(HexNumber(record.tag, 4));
  if (record.mark != 0) json["mark"] = Json(record.mark);
  if (record.reserved != 0) json["reserved"] = Json(record.reserved);
  return json;
}

Json MacroJson(const MacroRecord& macro) {
  Json json = Json::object();
  json["id"] = Json(macro.id);
  json["name"] = Text(std::u16string(macro.Name()));
  json["play_count"] = Json(macro.play_count);
  if (macro.play_mode != 0) json["play_mode"] = Json(macro.play_mode);
  if (macro.new_mark != 0) json["new_mark"] = Json(macro.new_mark);
  if (macro.reserved1 != 0) json["reserved1"] = Json(macro.reserved1);
  if (macro.reserved2 != 0) json["reserved2"] = Json(macro.reserved2);
  Json& steps = json["steps"] = Json::array();
  for (const model::MacroAction& action : macro.UsedActions()) {
    Json step = Json::object();
    step["delay_ms"] = Json(action.delay_ms);
    step["code"] = Text(HexNumber(action.code, 3));
    step["key"] = Text(model::KeyName(action.code));
    if (action.direction == model::kPress || action.direction == model::kRelease) {
      step["direction"] = Text(action.direction == model::kPress ? "press" : "release");
    } else {
      step["direction"] = Json(action.direction);
    }
    steps.push_back(std::move(step));
  }
  return json;
}

}  // namespace

Json DocumentJson(const ProfileDocument& document, std::span<const std::uint8_t> bytes) {
  const ProfileFileHeader header = ProfileFileHeader::Parse(bytes.first<kFileHeaderBytes>());
  Json root = Json::object();
  root["format"] = Text(kProfileFormatName);
  Json& header_json = root["header"] = Json::object();
  header_json["magic"] = Text(HexNumber(header.magic, 4));
  header_json["total_size"] = Json(header.total_size);
  header_json["macro_count"] = Json(header.macro_count);
  header_json["string_bytes"] = Json(header.string_bytes);
  header_json["flag"] = Json(header.flag);
  header_json["checksum"] = Text(HexNumber(header.checksum, 2));
  root["descriptor"] =
      (document.descriptor ? Text(HexText(*document.descriptor)) : Text("standard"));

  Json& groups = root["groups"] = Json::array();
  for (std::size_t g = 0; g < document.groups.size(); ++g) {
    const GroupDocument& group = document.groups[g];
    Json& group_json = groups.emplace_back(Json::object());
    group_json["group"] = Json(static_cast<std::int64_t>(g));
    group_json["g_slot_tags"] = Json(group.g_slot_tags);
    Json& assignments = group_json["assignments"] = Json::array();
    std::size_t next_text = 0;
    for (const auto& [slot, record] : group.records) {
      while (next_text < group.texts.size() && group.texts[next_text].first < slot) ++next_text;
      const std::u16string* text =
          next_text < group.texts.size() && group.texts[next_text].first == slot
              ? &group.texts[next_text].second
              : nullptr;
      assignments.emplace_back(AssignmentJson(slot, record, text, document.macros));
    }
  }
  Json& macros = root["macros"] = Json::array();
  for (const MacroRecord& macro : document.macros) macros.emplace_back(MacroJson(macro));
  if (!document.patches.empty()) {
    Json& patches = root["patches"] = Json::array();
    for (const BytePatch& patch : document.patches) {
      Json& patch_json = patches.emplace_back(Json::object());
      patch_json["at"] = Json(static_cast<std::int64_t>(patch.at));
      patch_json["hex"] = Text(HexText(patch.bytes));
    }
  }
  if (!document.trailing.empty()) {
    root["trailing"] = Text(HexText(document.trailing));
  }
  return root;
}

}  // namespace tarvolin::profiles
