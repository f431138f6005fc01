#include <algorithm>
#include <limits>

#include "model/key_map.h"
#include "profiles/profile_json_fields.h"

namespace tarvolin::profiles {
namespace {

using Bytes = std::vector<std::uint8_t>;
using model::KeyAssignment;
using model::MacroRecord;

// The member named `key`, or null.
const Json* Find(const Json& object, std::string_view key) {
  const auto found = object.find(std::string(key));
  return found == object.end() ? nullptr : &*found;
}

// Reads fields with the path of each value in its error messages.
class Reader {
 public:
  explicit Reader(std::string& error) : error_(error) {}

  bool Fail(const std::string& path, const std::string& message) {
    if (error_.empty()) error_ = path + ": " + message;
    return false;
  }

  // A whole number written as a number or as "0x..." text.
  bool Number(const Json& value, const std::string& path, std::int64_t min, std::int64_t max,
              std::int64_t& out) {
    if (value.is_number_unsigned()) {
      if (value.get<std::uint64_t>() > static_cast<std::uint64_t>(max)) {
        return Fail(path, "number out of range");
      }
      out = static_cast<std::int64_t>(value.get<std::uint64_t>());
    } else if (value.is_number_integer()) {
      out = value.get<std::int64_t>();
    } else if (value.is_number_float()) {
      return Fail(path, "expected a whole number");
    } else if (value.is_string()) {
      const std::u16string text = TextOfJson(value);
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
  bool Field(const Json& object, std::string_view key, const std::string& path, T& out,
             std::optional<T> fallback = std::nullopt) {
    const Json* value = Find(object, key);
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

  bool Hex(const Json& value, const std::string& path, Bytes& out) {
    if (!value.is_string() || value.get_ref<const std::string&>().size() % 2 != 0) {
      return Fail(path, "expected an even number of hex digits");
    }
    out.clear();
    const std::u16string text = TextOfJson(value);
    for (std::size_t i = 0; i < text.size(); i += 2) {
      const int high = HexDigit(text[i]);
      const int low = HexDigit(text[i + 1]);
      if (high < 0 || low < 0) return Fail(path, "expected hex digits");
      out.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return true;
  }

  const Json* Require(const Json& object, std::string_view key, Json::value_t type,
                      const std::string& path) {
    const Json* value = Find(object, key);
    if (value == nullptr || value->type() != type) {
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

bool ReadAssignment(Reader& reader, const Json& json, const std::string& path,
                    GroupDocument& group) {
  if (!json.is_object()) return reader.Fail(path, "expected an object");
  std::uint16_t slot = 0;
  if (!reader.Field(json, "slot", path, slot)) return false;
  if (slot >= model::kSlotsPerProfile) return reader.Fail(path + ".slot", "must be below 0x200");
  KeyAssignment record;
  const Json* type = Find(json, "type");
  if (type != nullptr && type->is_string()) {
    const std::u16string name = TextOfJson(*type);
    bool found = false;
    for (std::size_t t = 0; t < kAssignmentTypeNames.size(); ++t) {
      if (name == std::u16string(kAssignmentTypeNames[t].begin(), kAssignmentTypeNames[t].end())) {
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
  if (const Json* text = Find(json, "text")) {
    if (!text->is_string()) return reader.Fail(path + ".text", "expected text");
    group.texts.emplace_back(slot, TextOfJson(*text));
  }
  return true;
}

bool ReadMacro(Reader& reader, const Json& json, const std::string& path, MacroRecord& macro) {
  if (!json.is_object()) return reader.Fail(path, "expected an object");
  const Json* name = reader.Require(json, "name", Json::value_t::string, path);
  const Json* steps = reader.Require(json, "steps", Json::value_t::array, path);
  if (name == nullptr || steps == nullptr) return false;
  if (TextOfJson(*name).size() > MacroRecord::kMaxNameLength) {
    return reader.Fail(path + ".name", "longer than 249 characters");
  }
  macro.SetName(TextOfJson(*name));
  if (!reader.Field(json, "id", path, macro.id) ||
      !reader.Field(json, "play_count", path, macro.play_count) ||
      !reader.Field(json, "play_mode", path, macro.play_mode, std::optional<std::uint16_t>(0)) ||
      !reader.Field(json, "new_mark", path, macro.new_mark, std::optional<std::uint16_t>(0)) ||
      !reader.Field(json, "reserved1", path, macro.reserved1, std::optional<std::uint8_t>(0)) ||
      !reader.Field(json, "reserved2", path, macro.reserved2, std::optional<std::uint16_t>(0))) {
    return false;
  }
  if (steps->size() > MacroRecord::kMaxActions) {
    return reader.Fail(path + ".steps", "more than 2000 steps");
  }
  for (std::size_t s = 0; s < steps->size(); ++s) {
    const Json& step = (*steps)[s];
    const std::string step_path = path + ".steps[" + std::to_string(s) + "]";
    if (!step.is_object()) return reader.Fail(step_path, "expected an object");
    model::MacroAction& action = macro.actions[s];
    if (!reader.Field(step, "delay_ms", step_path, action.delay_ms) ||
        !reader.Field(step, "code", step_path, action.code)) {
      return false;
    }
    const Json* direction = Find(step, "direction");
    if (direction != nullptr && direction->is_string()) {
      if (TextOfJson(*direction) == u"press") {
        action.direction = model::kPress;
      } else if (TextOfJson(*direction) == u"release") {
        action.direction = model::kRelease;
      } else {
        return reader.Fail(step_path + ".direction", "expected \"press\" or \"release\"");
      }
    } else if (!reader.Field(step, "direction", step_path, action.direction)) {
      return false;
    }
  }
  macro.action_count = static_cast<std::uint16_t>(steps->size());
  return true;
}

}  // namespace

bool ReadDocument(const Json& root, ProfileDocument& document, std::string& error) {
  Reader reader(error);
  if (!root.is_object()) return reader.Fail("document", "expected an object");
  const Json* format = Find(root, "format");
  if (format == nullptr || !format->is_string() ||
      TextOfJson(*format) != std::u16string(kProfileFormatName.begin(), kProfileFormatName.end())) {
    return reader.Fail("format", "expected \"" + std::string(kProfileFormatName) + "\"");
  }
  if (const Json* header = Find(root, "header")) {
    if (!header->is_object()) return reader.Fail("header", "expected an object");
    if (!reader.Field(*header, "flag", "header", document.flag, std::optional<std::uint8_t>(0))) {
      return false;
    }
    if (Find(*header, "string_bytes") != nullptr) {
      std::uint32_t string_bytes = 0;
      if (!reader.Field(*header, "string_bytes", "header", string_bytes)) return false;
      document.string_bytes = string_bytes;
    }
  }
  if (const Json* descriptor = Find(root, "descriptor");
      descriptor != nullptr &&
      !(descriptor->is_string() && TextOfJson(*descriptor) == u"standard")) {
    Bytes bytes;
    if (!reader.Hex(*descriptor, "descriptor", bytes)) return false;
    if (bytes.size() != kDescriptorBytes) return reader.Fail("descriptor", "expected 32 bytes");
    document.descriptor.emplace();
    std::copy(bytes.begin(), bytes.end(), document.descriptor->begin());
  }
  const Json* groups = reader.Require(root, "groups", Json::value_t::array, "document");
  if (groups == nullptr) return false;
  if ((*groups).size() != model::kProfileCount) return reader.Fail("groups", "expected 4 groups");
  for (std::size_t g = 0; g < (*groups).size(); ++g) {
    const Json& group = (*groups)[g];
    const std::string path = "groups[" + std::to_string(g) + "]";
    if (!group.is_object()) return reader.Fail(path, "expected an object");
    const Json* tags = Find(group, "g_slot_tags");
    if (tags != nullptr && !tags->is_boolean()) {
      return reader.Fail(path + ".g_slot_tags", "expected true or false");
    }
    document.groups[g].g_slot_tags = tags != nullptr && tags->get<bool>();
    const Json* assignments = reader.Require(group, "assignments", Json::value_t::array, path);
    if (assignments == nullptr) return false;
    for (std::size_t a = 0; a < (*assignments).size(); ++a) {
      if (!ReadAssignment(reader, (*assignments)[a],
                          path + ".assignments[" + std::to_string(a) + "]", document.groups[g])) {
        return false;
      }
    }
  }
  if (const Json* macros = Find(root, "macros")) {
    if (!macros->is_array()) return reader.Fail("macros", "expected a list");
    if ((*macros).size() > model::kMaxMacros) return reader.Fail("macros", "more than 100");
    document.macros.resize((*macros).size());
    for (std::size_t m = 0; m < (*macros).size(); ++m) {
      if (!ReadMacro(reader, (*macros)[m], "macros[" + std::to_string(m) + "]",
                     document.macros[m])) {
        return false;
      }
    }
  }
  if (const Json* patches = Find(root, "patches")) {
    if (!patches->is_array()) return reader.Fail("patches", "expected a list");
    for (std::size_t p = 0; p < (*patches).size(); ++p) {
      const Json& patch_json = (*patches)[p];
      const std::string path = "patches[" + std::to_string(p) + "]";
      if (!patch_json.is_object()) return reader.Fail(path, "expected an object");
      BytePatch patch;
      const Json* hex = Find(patch_json, "hex");
      if (!reader.Field(patch_json, "at", path, patch.at) || hex == nullptr ||
          !reader.Hex(*hex, path + ".hex", patch.bytes)) {
        return reader.Fail(path, "expected \"at\" and \"hex\"");
      }
      document.patches.push_back(std::move(patch));
    }
  }
  if (const Json* trailing = Find(root, "trailing")) {
    if (!reader.Hex(*trailing, "trailing", document.trailing)) return false;
  }
  return true;
}

}  // namespace tarvolin::profiles
