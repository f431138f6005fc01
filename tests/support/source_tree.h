#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tarvolin::testing {

// A file of the source tree ($TARVOLIN_SOURCE_DIR, else the current folder), as a path the
// test program can open: under Wine the Unix root is drive Z:.
inline std::filesystem::path SourceTreePath(const std::filesystem::path& relative) {
  const char* root = std::getenv("TARVOLIN_SOURCE_DIR");
  std::string base = root != nullptr ? root : ".";
#ifdef _WIN32
  if (!base.empty() && base.front() == '/') base = "Z:" + base;
#endif
  return std::filesystem::path(base) / relative;
}

}  // namespace tarvolin::testing
