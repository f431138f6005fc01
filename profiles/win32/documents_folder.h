#pragma once
#include <filesystem>
#include <optional>

namespace tarvolin::profiles::win32 {

// The user's documents folder as the shell reports it (CSIDL_PERSONAL, never created here);
// empty when the shell has none.
std::optional<std::filesystem::path> DocumentsFolder();

}  // namespace tarvolin::profiles::win32
