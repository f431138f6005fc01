#pragma once
// What a query answers: named values, printed as "name=value" separated by blanks (a value
// that may hold blanks, such as a caption or a message text, is printed last).
#include <string>
#include <utility>
#include <vector>

namespace tarvolin::tdriver {

using Fields = std::vector<std::pair<std::string, std::string>>;

}  // namespace tarvolin::tdriver
