#pragma once
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <vector>

// Whole-file reads and safe whole-file writes for the profile files. Reads open the file for
// reading only, so files on read-only media can be imported. Writes go to a temporary file
// beside the target that then replaces it, so a failed or interrupted write never leaves a
// damaged or empty file where a good one was.

namespace tarvolin::profiles {

// True when something that is not a folder exists at `path`.
bool FileExists(const std::filesystem::path& path);

// True when the file exists and carries no write permission (the read-only attribute on
// Windows).
bool IsReadOnlyFile(const std::filesystem::path& path);

enum class ReadStatus {
  kOk,
  kMissing,      // no file at the path
  kCannotOpen,   // it exists but cannot be opened for reading
  kOutOfMemory,  // the buffer could not be had
  kReadError,    // the system reported an error while reading
};

struct FileBytes {
  ReadStatus status = ReadStatus::kMissing;
  std::uint64_t file_size = 0;      // the real length of the file
  std::vector<std::uint8_t> bytes;  // at most the requested count, fewer when the file is shorter
};

// The file's length and its first `max_bytes` bytes (all of them when it is shorter).
FileBytes ReadFileBytes(const std::filesystem::path& path, std::uint64_t max_bytes);

// Writes `blocks` one after the other as the new content of `path`, creating it when
// missing. False, with the previous file left as it was, when the target is read-only or a
// folder, or when creating, writing, flushing or replacing fails.
bool ReplaceFileContents(const std::filesystem::path& path,
                         std::initializer_list<std::span<const std::uint8_t>> blocks);

}  // namespace tarvolin::profiles
