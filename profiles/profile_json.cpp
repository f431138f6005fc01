#include "profiles/profile_json.h"

#include <memory>
#include <new>

#include "profiles/profile_json_fields.h"

namespace tarvolin::profiles {

std::optional<std::string> ProfileFileToJson(std::span<const std::uint8_t> bytes,
                                             std::string& error) {
  try {
    const std::optional<ProfileDocument> document = DocumentOfFile(bytes, error);
    if (!document) return std::nullopt;
    return WriteJsonText(DocumentJson(*document, bytes));
  } catch (const std::bad_alloc&) {
    error = "out of memory";
    return std::nullopt;
  } catch (const nlohmann::json::exception& e) {  // a value of a kind the code did not expect
    error = e.what();
    return std::nullopt;
  }
}

std::optional<std::vector<std::uint8_t>> ProfileFileFromJson(std::string_view json,
                                                             std::string& error) {
  try {
    const std::optional<Json> root = ParseJsonText(json, error);
    if (!root) return std::nullopt;
    auto document = std::make_unique<ProfileDocument>();
    if (!ReadDocument(*root, *document, error)) return std::nullopt;
    return BuildFile(*document, error);
  } catch (const std::bad_alloc&) {
    error = "out of memory";
    return std::nullopt;
  } catch (const nlohmann::json::exception& e) {  // a value of a kind the code did not expect
    error = e.what();
    return std::nullopt;
  }
}

}  // namespace tarvolin::profiles
