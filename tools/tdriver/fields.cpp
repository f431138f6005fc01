#include "tools/tdriver/fields.h"

#include <cstdio>

namespace tarvolin::tdriver {

std::string Printable(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c != '\r') out += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return out;
}

void Print(const Fields& fields) {
  for (const auto& [name, value] : fields) {
    std::printf("%s=%s\n", name.c_str(), Printable(value).c_str());
  }
}

std::optional<std::string> Field(const Fields& fields, const std::string& name) {
  for (const auto& [n, v] : fields) {
    if (n == name) return v;
  }
  return std::nullopt;
}

bool Holds(const Fields& fields, const std::string& expectation) {
  const size_t eq = expectation.find('=');
  if (eq == std::string::npos || eq == 0) return false;
  const bool contains = expectation[eq - 1] == '~';
  const std::string name = expectation.substr(0, contains ? eq - 1 : eq);
  const std::string wanted = expectation.substr(eq + 1);
  const std::optional<std::string> value = Field(fields, name);
  if (!value) return false;
  return contains ? value->find(wanted) != std::string::npos : *value == wanted;
}

}  // namespace tarvolin::tdriver
