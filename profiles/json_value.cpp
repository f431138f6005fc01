#include "profiles/json_value.h"

#include <cstdio>
#include <limits>

namespace tarvolin::profiles {
namespace {

constexpr int kMaxDepth = 64;
constexpr std::size_t kLineWidth = 110;

class Parser {
 public:
  Parser(std::string_view text, JsonError& error) : text_(text), error_(error) {}

  std::optional<JsonValue> ParseDocument() {
    std::optional<JsonValue> value = ParseValue(0);
    if (!value) return std::nullopt;
    SkipWhitespace();
    if (pos_ != text_.size()) return Fail("unexpected text after the end of the document");
    return value;
  }

 private:
  std::nullopt_t Fail(std::string message) {
    // Line and column of the current position, counted once on failure.
    error_.line = 1;
    error_.column = 1;
    for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
      if (text_[i] == '\n') {
        ++error_.line;
        error_.column = 1;
      } else {
        ++error_.column;
      }
    }
    error_.message = std::move(message);
    return std::nullopt;
  }

  bool Refuse(std::string message) {
    Fail(std::move(message));
    return false;
  }

  void SkipWhitespace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r')) {
      ++pos_;
    }
  }

  bool Consume(char expected) {
    SkipWhitespace();
    if (pos_ < text_.size() && text_[pos_] == expected) {
      ++pos_;
      return true;
    }
    return false;
  }

  std::optional<JsonValue> ParseValue(int depth) {
    if (depth > kMaxDepth) return Fail("nested too deeply");
    SkipWhitespace();
    if (pos_ >= text_.size()) return Fail("unexpected end of the document");
    const char c = text_[pos_];
    if (c == '{') return ParseObject(depth);
    if (c == '[') return ParseArray(depth);
    if (c == '"') {
      std::u16string text;
      if (!ParseString(text)) return std::nullopt;
      return JsonValue::String(std::move(text));
    }
    if (c == '-' || (c >= '0' && c <= '9')) return ParseInteger();
    for (const auto& [word, value] : {std::pair{std::string_view("true"), JsonValue::Bool(true)},
                                      std::pair{std::string_view("false"), JsonValue::Bool(false)},
                                      std::pair{std::string_view("null"), JsonValue()}}) {
      if (text_.substr(pos_, word.size()) == word) {
        pos_ += word.size();
        return value;
      }
    }
    return Fail(std::string("unexpected character '") + c + "'");
  }

  std::optional<JsonValue> ParseObject(int depth) {
    ++pos_;  // '{'
    JsonValue object = JsonValue::Object();
    if (Consume('}')) return object;
    do {
      SkipWhitespace();
      if (pos_ >= text_.size() || text_[pos_] != '"') return Fail("expected a member name");
      std::u16string name;
      if (!ParseString(name)) return std::nullopt;
      std::string key;
      for (const char16_t unit : name) {
        if (unit > 0x7F) return Fail("member names are plain ASCII");
        key.push_back(static_cast<char>(unit));
      }
      if (object.Find(key) != nullptr) return Fail("member \"" + key + "\" appears twice");
      if (!Consume(':')) return Fail("expected ':' after the member name");
      std::optional<JsonValue> value = ParseValue(depth + 1);
      if (!value) return std::nullopt;
      object.Set(std::move(key), std::move(*value));
    } while (Consume(','));
    if (!Consume('}')) return Fail("expected ',' or '}'");
    return object;
  }

  std::optional<JsonValue> ParseArray(int depth) {
    ++pos_;  // '['
    JsonValue array = JsonValue::Array();
    if (Consume(']')) return array;
    do {
      std::optional<JsonValue> value = ParseValue(depth + 1);
      if (!value) return std::nullopt;
      array.Append(std::move(*value));
    } while (Consume(','));
    if (!Consume(']')) return Fail("expected ',' or ']'");
    return array;
  }

  std::optional<JsonValue> ParseInteger() {
    const std::size_t start = pos_;
    const bool negative = text_[pos_] == '-';
    if (negative) ++pos_;
    if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9') {
      return Fail("expected a digit");
    }
    if (text_[pos_] == '0' && pos_ + 1 < text_.size() && text_[pos_ + 1] >= '0' &&
        text_[pos_ + 1] <= '9') {
      return Fail("numbers have no leading zeros");
    }
    std::uint64_t magnitude = 0;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      const auto digit = static_cast<std::uint64_t>(text_[pos_] - '0');
      if (magnitude > (limit - digit) / 10) {
        pos_ = start;
        return Fail("number out of range");
      }
      magnitude = magnitude * 10 + digit;
      ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E')) {
      return Fail("only whole numbers are used here");
    }
    const std::int64_t value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return JsonValue::Integer(value);
  }

  bool ParseHex4(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i, ++pos_) {
      if (pos_ >= text_.size()) return false;
      const char c = text_[pos_];
      value <<= 4;
      if (c >= '0' && c <= '9') {
        value |= static_cast<std::uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        value |= static_cast<std::uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        value |= static_cast<std::uint32_t>(c - 'A' + 10);
      } else {
        return false;
      }
    }
    return true;
  }

  // Reads one UTF-8 sequence into UTF-16 units; false for malformed input.
  bool ParseUtf8(std::u16string& out) {
    const auto lead = static_cast<unsigned char>(text_[pos_]);
    std::size_t extra = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      code = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      code = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (pos_ + extra >= text_.size()) return false;
    for (std::size_t i = 1; i <= extra; ++i) {
      const auto next = static_cast<unsigned char>(text_[pos_ + i]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    pos_ += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    return true;
  }

  bool ParseString(std::u16string& out) {
    ++pos_;  // '"'
    while (true) {
      if (pos_ >= text_.size()) return Refuse("unterminated string");
      const char c = text_[pos_];
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) {
        return Refuse("control character in a string");
      }
      if (c != '\\') {
        if (!ParseUtf8(out)) return Refuse("invalid UTF-8 in a string");
        continue;
      }
      ++pos_;
      if (pos_ >= text_.size()) return Refuse("unterminated string");
      const char escaped = text_[pos_++];
      switch (escaped) {
        case '"':
          out.push_back(u'"');
          break;
        case '\\':
          out.push_back(u'\\');
          break;
        case '/':
          out.push_back(u'/');
          break;
        case 'b':
          out.push_back(u'\b');
          break;
        case 'f':
          out.push_back(u'\f');
          break;
        case 'n':
          out.push_back(u'\n');
          break;
        case 'r':
          out.push_back(u'\r');
          break;
        case 't':
          out.push_back(u'\t');
          break;
        case 'u': {
          std::uint32_t unit = 0;
          if (!ParseHex4(unit)) return Refuse("\\u needs four hex digits");
          out.push_back(static_cast<char16_t>(unit));  // surrogates pass through as they are
          break;
        }
        default:
          --pos_;
          return Refuse(std::string("unknown escape \\") + escaped);
      }
    }
  }

  std::string_view text_;
  JsonError& error_;
  std::size_t pos_ = 0;
};

void AppendUtf8(std::uint32_t code, std::string& out) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

void AppendEscape(std::uint32_t unit, std::string& out) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", unit);
  out += escape;
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
      AppendEscape(unit, out);
    } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
               text[i + 1] <= 0xDFFF) {
      AppendUtf8(0x10000 + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u), out);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendEscape(unit, out);  // a lone surrogate has no UTF-8 form
    } else {
      AppendUtf8(unit, out);
    }
  }
  out.push_back('"');
}

bool IsEmptyContainer(const JsonValue& value) {
  return (value.kind() == JsonValue::Kind::kArray && value.Items().empty()) ||
         (value.kind() == JsonValue::Kind::kObject && value.Members().empty());
}

// Scalars, and empty arrays and objects, which also fit in a line.
void WriteScalar(const JsonValue& value, std::string& out) {
  switch (value.kind()) {
    case JsonValue::Kind::kNull:
      out += "null";
      break;
    case JsonValue::Kind::kBool:
      out += value.AsBool() ? "true" : "false";
      break;
    case JsonValue::Kind::kInteger:
      out += std::to_string(value.AsInteger());
      break;
    case JsonValue::Kind::kString:
      WriteString(value.AsString(), out);
      break;
    case JsonValue::Kind::kArray:
      out += "[]";
      break;
    case JsonValue::Kind::kObject:
      out += "{}";
      break;
  }
}

// One line for an array or object of scalars, when it fits.
std::optional<std::string> WriteInline(const JsonValue& value, std::size_t indent) {
  std::string line;
  if (value.kind() == JsonValue::Kind::kArray) {
    line += '[';
    for (std::size_t i = 0; i < value.Items().size(); ++i) {
      if (!value.Items()[i].IsScalar() && !IsEmptyContainer(value.Items()[i])) return std::nullopt;
      if (i > 0) line += ", ";
      WriteScalar(value.Items()[i], line);
    }
    line += ']';
  } else {
    line += '{';
    for (std::size_t i = 0; i < value.Members().size(); ++i) {
      const auto& [key, member] = value.Members()[i];
      if (!member.IsScalar() && !IsEmptyContainer(member)) return std::nullopt;
      if (i > 0) line += ", ";
      WriteString(std::u16string(key.begin(), key.end()), line);
      line += ": ";
      WriteScalar(member, line);
    }
    line += '}';
  }
  if (indent + line.size() > kLineWidth) return std::nullopt;
  return line;
}

// `prefix` counts what the line already holds after the indent (a member's name).
void WriteValue(const JsonValue& value, std::size_t indent, std::size_t prefix, std::string& out) {
  if (value.IsScalar()) {
    WriteScalar(value, out);
    return;
  }
  const bool is_array = value.kind() == JsonValue::Kind::kArray;
  const std::size_t count = is_array ? value.Items().size() : value.Members().size();
  if (count == 0) {
    out += is_array ? "[]" : "{}";
    return;
  }
  if (auto line = WriteInline(value, indent + prefix)) {
    out += *line;
    return;
  }
  out += is_array ? "[\n" : "{\n";
  for (std::size_t i = 0; i < count; ++i) {
    out.append(indent + 2, ' ');
    if (is_array) {
      WriteValue(value.Items()[i], indent + 2, 0, out);
    } else {
      const auto& [key, member] = value.Members()[i];
      WriteString(std::u16string(key.begin(), key.end()), out);
      out += ": ";
      WriteValue(member, indent + 2, key.size() + 4, out);
    }
    out += i + 1 < count ? ",\n" : "\n";
  }
  out.append(indent, ' ');
  out += is_array ? "]" : "}";
}

}  // namespace

JsonValue JsonValue::Bool(bool value) {
  JsonValue v;
  v.kind_ = Kind::kBool;
  v.bool_ = value;
  return v;
}

JsonValue JsonValue::Integer(std::int64_t value) {
  JsonValue v;
  v.kind_ = Kind::kInteger;
  v.integer_ = value;
  return v;
}

JsonValue JsonValue::String(std::u16string value) {
  JsonValue v;
  v.kind_ = Kind::kString;
  v.string_ = std::move(value);
  return v;
}

JsonValue JsonValue::String(std::string_view ascii) {
  return String(std::u16string(ascii.begin(), ascii.end()));
}

JsonValue JsonValue::Array() {
  JsonValue v;
  v.kind_ = Kind::kArray;
  return v;
}

JsonValue JsonValue::Object() {
  JsonValue v;
  v.kind_ = Kind::kObject;
  return v;
}

JsonValue& JsonValue::Append(JsonValue value) {
  items_.push_back(std::move(value));
  return items_.back();
}

JsonValue& JsonValue::Set(std::string key, JsonValue value) {
  members_.emplace_back(std::move(key), std::move(value));
  return members_.back().second;
}

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [name, value] : members_) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::string JsonError::ToString() const {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}

std::optional<JsonValue> ParseJson(std::string_view text, JsonError& error) {
  return Parser(text, error).ParseDocument();
}

std::string WriteJson(const JsonValue& value) {
  std::string out;
  WriteValue(value, 0, 0, out);
  out += '\n';
  return out;
}

}  // namespace tarvolin::profiles
