#include "profiles/profile_json.h"

#include <memory>
#include <new>

#include "profiles/profile_json_fields.h"

namespace tarvolin::profiles {
namespace {

// Runs `work`; memory running out or a value of a kind the code did not expect ends it with
// `error` set rather than an exception.
template <typename Work>
auto Guarded(std::string& error, Work work) -> decltype(work()) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    error = "out of memory";
  } catch (const nlohmann::json::exception& e) {
    error = e.what();
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ProfileFileToJson(std::span<const std::uint8_t> bytes,
                                             std::string& error) {
  return Guarded(error, [&]() -> std::optional<std::string> {
    const std::optional<ProfileDocument> document = DocumentOfFile(bytes, error);
    if (!document) return std::nullopt;
    return WriteJsonText(DocumentJson(*document, bytes));
  });
}

std::optional<std::vector<std::uint8_t>> ProfileFileFromJson(std::string_view json,
                                                             std::string& error) {
  return Guarded(error, [&]() -> std::optional<std::vector<std::uint8_t>> {
    const std::optional<Json> root = ParseJsonText(json, error);
    if (!root) return std::nullopt;
    auto document = std::make_unique<ProfileDocument>();
    if (!ReadDocument(*root, *document, error)) return std::nullopt;
    return BuildFile(*document, error);
  });
}

}  // namespace tarvolin::profiles
