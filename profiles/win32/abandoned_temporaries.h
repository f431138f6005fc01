#pragma once
#include <filesystem>

namespace tarvolin::profiles::win32 {

// Removes the temporary files that a profile write of a process no longer running left in
// `folder` (a program killed while it wrote). Returns how many were removed.
int RemoveAbandonedProfileTemporaries(const std::filesystem::path& folder);

}  // namespace tarvolin::profiles::win32
