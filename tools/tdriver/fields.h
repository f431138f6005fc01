#pragma once
// What a query answers: named values, printed as "name=value" separated by blanks (a value
// that may hold blanks, such as a caption or a message text, is printed last).
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvolin::tdriver {

using Fields = std::vector<std::pair<std::string, std::string>>;

// The value with line breaks shown as "\n", so each field stays on one line.
std::string Printable(const std::string& value);
// Prints one "name=value" line per field.
void Print(const Fields& fields);
std::optional<std::string> Field(const Fields& fields, const std::string& name);
// "name=value" holds when the field equals the value, "name~=text" when it contains the text.
bool Holds(const Fields& fields, const std::string& expectation);

}  // namespace tarvolin::tdriver
