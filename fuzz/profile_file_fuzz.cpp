// Profile files come from anywhere (imports, other machines, half-copied downloads): the
// header check and taking the file apart must hold for any bytes, and whatever is taken apart
// must install into a configuration.
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/config_state.h"
#include "profiles/profile_content.h"
#include "profiles/profile_file_format.h"

using namespace tarvolin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (size >= profiles::kFileHeaderBytes) {
    const auto fault =
        profiles::CheckProfileHeader(std::span<const std::uint8_t, profiles::kFileHeaderBytes>(
            data, profiles::kFileHeaderBytes));
    (void)profiles::DescribeHeaderFault(fault);
  }
  profiles::ProfileContent content;
  if (profiles::ParseProfileContent(bytes, content) != profiles::ContentFault::kNone) return 0;
  model::EditedConfig config;
  if (profiles::InstallProfileContent(config, std::move(content))) {
    if (config.MacroCount() > model::kMaxMacros) __builtin_trap();
  }
  return 0;
}
