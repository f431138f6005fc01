#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A small JSON tree for the readable rendering of profile files: integers only (no
// fractions), strings kept as UTF-16 so that every text of a file, lone surrogates
// included, survives a round trip through \u escapes.

namespace tarvolin::profiles {

class JsonValue {
 public:
  enum class Kind { kNull, kBool, kInteger, kString, kArray, kObject };
  using Member = std::pair<std::string, JsonValue>;

  JsonValue() = default;
  static JsonValue Bool(bool value);
  static JsonValue Integer(std::int64_t value);
  static JsonValue String(std::u16string value);
  static JsonValue String(std::string_view ascii);
  static JsonValue Array();
  static JsonValue Object();

  Kind kind() const { return kind_; }
  bool IsScalar() const { return kind_ != Kind::kArray && kind_ != Kind::kObject; }
  bool AsBool() const { return bool_; }
  std::int64_t AsInteger() const { return integer_; }
  const std::u16string& AsString() const { return string_; }
  const std::vector<JsonValue>& Items() const { return items_; }
  const std::vector<Member>& Members() const { return members_; }

  // Arrays and objects keep the order things were added in.
  JsonValue& Append(JsonValue value);
  JsonValue& Set(std::string key, JsonValue value);
  // The first member named `key`, or null.
  const JsonValue* Find(std::string_view key) const;

 private:
  Kind kind_ = Kind::kNull;
  bool bool_ = false;
  std::int64_t integer_ = 0;
  std::u16string string_;
  std::vector<JsonValue> items_;
  std::vector<Member> members_;
};

struct JsonError {
  std::size_t line = 0;  // 1-based
  std::size_t column = 0;
  std::string message;
  std::string ToString() const;
};

// Parses UTF-8 JSON text; nesting deeper than 64 levels is refused.
std::optional<JsonValue> ParseJson(std::string_view text, JsonError& error);

// Indented output in UTF-8. Arrays and objects of scalars that fit in a line are written on
// one line. Characters outside ASCII go out as UTF-8, lone surrogates as \u escapes.
std::string WriteJson(const JsonValue& value);

}  // namespace tarvolin::profiles
