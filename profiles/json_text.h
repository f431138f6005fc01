#pragma once
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

// JSON text of the profile rendering, read and kept by nlohmann-json. Objects keep the order
// their members were written in. Texts of a profile file are UTF-16 and may hold lone
// surrogates, which UTF-8 cannot carry: inside a Json string such a unit is kept as U+FDD0
// (a noncharacter, free for internal use) followed by U+E000 + (unit - 0xD800), and a real
// U+FDD0 as two of them. JsonString and TextOfJson are the only ways in and out.

namespace tarvolin::profiles {

using Json = nlohmann::ordered_json;

Json JsonString(std::u16string_view text);
// The UTF-16 text of a string value.
std::u16string TextOfJson(const Json& value);

// Parses UTF-8 JSON text. Lone surrogates may be written as \u escapes; a member named twice
// in one object and nesting deeper than 64 levels are refused. On failure `error` says what
// went wrong, with the line and column where the text shows it.
std::optional<Json> ParseJsonText(std::string_view text, std::string& error);

// Indented text, two blanks a level. Arrays and objects of scalars that fit in 110 columns are
// written on one line. Characters outside ASCII go out as UTF-8, lone surrogates as \u escapes.
std::string WriteJsonText(const Json& value);

}  // namespace tarvolin::profiles
