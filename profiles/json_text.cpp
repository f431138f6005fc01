#include "profiles/json_text.h"

#include <cstdio>
#include <set>
#include <vector>

#include "platform/utf8.h"

namespace tarvolin::profiles {
namespace {

constexpr char16_t kMark = 0xFDD0;
constexpr char16_t kFirstKeptSurrogate = 0xE000;
constexpr int kMaxDepth = 64;
constexpr std::size_t kLineWidth = 110;

bool IsHigh(std::uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(std::uint32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool IsSurrogate(std::uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDFFF;
}

std::string Escape(std::uint32_t unit) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", unit);
  return escape;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The unit of the \uXXXX escape at text[at] ('\\'), or empty when it is not one.
std::optional<std::uint32_t> EscapedUnit(std::string_view text, std::size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return std::nullopt;
  std::uint32_t unit = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return std::nullopt;
    unit = unit << 4 | static_cast<std::uint32_t>(digit);
  }
  return unit;
}

struct ParseFailure {
  std::size_t at = 0;  // byte offset in the text as written
  std::string message;
};

// The text nlohmann-json is given: lone surrogate escapes and U+FDD0 rewritten into the marked
// form, so a text the old reader took is still taken. Also counts the nesting depth. `shifts`
// records, for each rewrite, where the rewritten text runs on and by how much it grew, so an
// error position can be told in the text as written.
struct Prepared {
  std::string text;
  std::vector<std::pair<std::size_t, std::size_t>> shifts;  // (offset in `text`, bytes added)
};

std::optional<Prepared> Prepare(std::string_view text, ParseFailure& failure) {
  Prepared out;
  out.text.reserve(text.size());
  const auto rewrite = [&out](std::string_view with, std::size_t replaced) {
    out.text += with;
    out.shifts.emplace_back(out.text.size(), with.size() - replaced);
  };
  const std::string marked_mark = Escape(kMark) + Escape(kMark);
  bool in_string = false;
  int depth = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (!in_string) {
      if (c == '"') in_string = true;
      if (c == '[' || c == '{') {
        if (++depth > kMaxDepth) {
          failure = {i, "nested too deeply"};
          return std::nullopt;
        }
      }
      if (c == ']' || c == '}') --depth;
      out.text += c;
      ++i;
      continue;
    }
    if (c == '"') {
      in_string = false;
    } else if (text.substr(i, 3) == "\xEF\xB7\x90") {  // U+FDD0 written as it is
      rewrite(marked_mark, 3);
      i += 3;
      continue;
    } else if (c == '\\') {
      const std::optional<std::uint32_t> unit = EscapedUnit(text, i);
      if (!unit) {  // another escape: nlohmann-json judges it
        out.text += text.substr(i, 2);
        i += 2;
        continue;
      }
      const std::optional<std::uint32_t> next = EscapedUnit(text, i + 6);
      if (IsHigh(*unit) && next && IsLow(*next)) {
        out.text += text.substr(i, 12);
        i += 12;
      } else if (IsSurrogate(*unit)) {
        rewrite(Escape(kMark) + Escape(kFirstKeptSurrogate + (*unit - 0xD800)), 6);
        i += 6;
      } else if (*unit == kMark) {
        rewrite(marked_mark, 6);
        i += 6;
      } else {
        out.text += text.substr(i, 6);
        i += 6;
      }
      continue;
    }
    out.text += c;
    ++i;
  }
  return out;
}

std::size_t OffsetAsWritten(const Prepared& prepared, std::size_t offset) {
  std::size_t added = 0;
  for (const auto& [end, grown] : prepared.shifts) {
    if (end > offset) break;
    added += grown;
  }
  return offset >= added ? offset - added : 0;
}

std::string Located(std::string_view text, std::size_t at, const std::string& message) {
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < at && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}

// nlohmann-json's message without its own prefix and position, and without the excerpt it
// read last (which would show the rewritten escapes).
std::string Reason(const nlohmann::json::parse_error& e) {
  std::string what = e.what();
  const std::size_t column = what.find("column ");
  const std::size_t colon = what.find(": ", column == std::string::npos ? 0 : column);
  if (colon != std::string::npos) what.erase(0, colon + 2);
  const std::size_t excerpt = what.find("; last read:");
  if (excerpt != std::string::npos) what.erase(excerpt);
  return what;
}

struct DuplicateMember {
  std::string name;
};

// ---- writing ------------------------------------------------------------------------------

void AppendUtf8(std::u16string_view units, std::string& out) {
  out += EncodeUtf8(units);
}

void WriteString(std::u16string_view text, std::string& out) {
  out.push_back('"');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    switch (unit) {
      case u'"':
        out += "\\\"";
        continue;
      case u'\\':
        out += "\\\\";
        continue;
      case u'\n':
        out += "\\n";
        continue;
      case u'\r':
        out += "\\r";
        continue;
      case u'\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (unit < 0x20) {
      out += Escape(unit);
    } else if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
      AppendUtf8(text.substr(i, 2), out);
      ++i;
    } else if (IsSurrogate(unit)) {
      out += Escape(unit);  // a lone surrogate has no UTF-8 form
    } else {
      AppendUtf8(text.substr(i, 1), out);
    }
  }
  out.push_back('"');
}

void WriteKey(const std::string& key, std::string& out) {
  WriteString(DecodeUtf8Lossy(key), out);
}

bool IsScalar(const Json& value) {
  return !value.is_array() && !value.is_object();
}

bool IsEmptyContainer(const Json& value) {
  return !IsScalar(value) && value.empty();
}

// Scalars, and empty arrays and objects, which also fit in a line.
void WriteScalar(const Json& value, std::string& out) {
  if (value.is_string()) {
    WriteString(TextOfJson(value), out);
  } else if (value.is_array()) {
    out += "[]";
  } else if (value.is_object()) {
    out += "{}";
  } else {
    out += value.dump();  // null, true, false and numbers as nlohmann-json writes them
  }
}

// One line for an array or object of scalars, when it fits.
std::optional<std::string> WriteInline(const Json& value, std::size_t indent) {
  std::string line;
  line += value.is_array() ? '[' : '{';
  bool first = true;
  for (const auto& [key, member] : value.items()) {
    if (!IsScalar(member) && !IsEmptyContainer(member)) return std::nullopt;
    if (!first) line += ", ";
    first = false;
    if (value.is_object()) {
      WriteKey(key, line);
      line += ": ";
    }
    WriteScalar(member, line);
  }
  line += value.is_array() ? ']' : '}';
  if (indent + line.size() > kLineWidth) return std::nullopt;
  return line;
}

// `prefix` counts what the line already holds after the indent (a member's name).
void WriteValue(const Json& value, std::size_t indent, std::size_t prefix, std::string& out) {
  if (IsScalar(value) || value.empty()) {
    WriteScalar(value, out);
    return;
  }
  if (auto line = WriteInline(value, indent + prefix)) {
    out += *line;
    return;
  }
  const bool is_array = value.is_array();
  out += is_array ? "[\n" : "{\n";
  std::size_t left = value.size();
  for (const auto& [key, member] : value.items()) {
    out.append(indent + 2, ' ');
    if (is_array) {
      WriteValue(member, indent + 2, 0, out);
    } else {
      WriteKey(key, out);
      out += ": ";
      WriteValue(member, indent + 2, key.size() + 4, out);
    }
    out += --left > 0 ? ",\n" : "\n";
  }
  out.append(indent, ' ');
  out += is_array ? "]" : "}";
}

}  // namespace

Json JsonString(std::u16string_view text) {
  std::u16string marked;
  marked.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
      marked += text.substr(i++, 2);
    } else if (IsSurrogate(unit)) {
      marked += kMark;
      marked += static_cast<char16_t>(kFirstKeptSurrogate + (unit - 0xD800));
    } else if (unit == kMark) {
      marked += {kMark, kMark};
    } else {
      marked += unit;
    }
  }
  return Json(EncodeUtf8(marked));
}

std::u16string TextOfJson(const Json& value) {
  const std::u16string marked = DecodeUtf8Lossy(value.get_ref<const std::string&>());
  std::u16string text;
  text.reserve(marked.size());
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (marked[i] == kMark && i + 1 < marked.size()) {
      const char16_t next = marked[++i];
      text += next >= kFirstKeptSurrogate && next < kFirstKeptSurrogate + 0x800
                  ? static_cast<char16_t>(0xD800 + (next - kFirstKeptSurrogate))
                  : next;
    } else {
      text += marked[i];
    }
  }
  return text;
}

std::optional<Json> ParseJsonText(std::string_view text, std::string& error) {
  ParseFailure failure;
  const std::optional<Prepared> prepared = Prepare(text, failure);
  if (!prepared) {
    error = Located(text, failure.at, failure.message);
    return std::nullopt;
  }
  std::vector<std::set<std::string>> names;  // of each object being read
  const Json::parser_callback_t check = [&names](int, Json::parse_event_t event, Json& parsed) {
    if (event == Json::parse_event_t::object_start) names.emplace_back();
    if (event == Json::parse_event_t::object_end) names.pop_back();
    if (event == Json::parse_event_t::key &&
        !names.back().insert(parsed.get<std::string>()).second) {
      throw DuplicateMember{parsed.get<std::string>()};
    }
    return true;
  };
  try {
    return Json::parse(prepared->text, check);
  } catch (const nlohmann::json::parse_error& e) {
    // byte counts from 1 and points at the last character read.
    const std::size_t at = OffsetAsWritten(*prepared, e.byte > 0 ? e.byte - 1 : 0);
    error = Located(text, at, Reason(e));
  } catch (const DuplicateMember& duplicate) {
    error = "member \"" + duplicate.name + "\" appears twice";
  }
  return std::nullopt;
}

std::string WriteJsonText(const Json& value) {
  std::string out;
  WriteValue(value, 0, 0, out);
  out += '\n';
  return out;
}

}  // namespace tarvolin::profiles
