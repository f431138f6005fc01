// The readable rendering promises the file back byte for byte, and its reader takes text a
// user edited by hand. Both directions run here: any JSON text the reader accepts must render
// and read back to the same bytes, and any bytes that render must build back unchanged.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "profiles/profile_json.h"

using namespace tarvolin;

namespace {

void RequireSameBytesBack(std::span<const std::uint8_t> bytes) {
  std::string error;
  const auto json = profiles::ProfileFileToJson(bytes, error);
  if (!json) return;
  const auto back = profiles::ProfileFileFromJson(*json, error);
  if (!back || !std::equal(back->begin(), back->end(), bytes.begin(), bytes.end())) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  if (const auto bytes = profiles::ProfileFileFromJson(text, error)) {
    RequireSameBytesBack(*bytes);
  } else if (size >= 32832) {
    RequireSameBytesBack(std::span<const std::uint8_t>(data, size));
  }
  return 0;
}
