#include "profiles/file_io.h"

#include <cstdio>
#include <new>
#include <system_error>

#ifdef _WIN32
#include <io.h>  // _commit
#else
#include <unistd.h>  // fsync
#endif

namespace tarvolin::profiles {
namespace {

// Owns an open C stream and closes it once.
class StdioFile {
 public:
  StdioFile(const std::filesystem::path& path, bool for_writing) {
#ifdef _WIN32
    file_ = _wfopen(path.c_str(), for_writing ? L"wb" : L"rb");
#else
    file_ = std::fopen(path.c_str(), for_writing ? "wb" : "rb");
#endif
  }
  StdioFile(const StdioFile&) = delete;
  StdioFile& operator=(const StdioFile&) = delete;
  ~StdioFile() {
    Close();
  }

  std::FILE* get() const {
    return file_;
  }
  explicit operator bool() const {
    return file_ != nullptr;
  }

  // Flushes the stream and asks the system to put the data on the disk, so a crash right
  // after the replacement cannot leave an empty file behind.
  bool FlushToDisk() {
    if (std::fflush(file_) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file_)) == 0;
#else
    return fsync(fileno(file_)) == 0;
#endif
  }

  // False when the system reports an error on closing (a delayed write that failed).
  bool Close() {
    if (file_ == nullptr) return true;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
  }

 private:
  std::FILE* file_ = nullptr;
};

std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
  std::filesystem::path temporary = path;
  temporary += ".partial";
  return temporary;
}

}  // namespace

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) return false;
  return (status.permissions() & std::filesystem::perms::owner_write) ==
         std::filesystem::perms::none;
}

FileBytes ReadFileBytes(const std::filesystem::path& path, std::uint64_t max_bytes) {
  FileBytes result;
  if (!FileExists(path)) return result;
  StdioFile file(path, false);
  if (!file) {
    result.status = ReadStatus::kCannotOpen;
    return result;
  }
  std::error_code error;
  result.file_size = std::filesystem::file_size(path, error);
  if (error) {
    result.status = ReadStatus::kCannotOpen;
    return result;
  }
  const std::uint64_t wanted = std::min(result.file_size, max_bytes);
  try {
    result.bytes.resize(static_cast<std::size_t>(wanted));
  } catch (const std::bad_alloc&) {
    result.status = ReadStatus::kOutOfMemory;
    return result;
  } catch (const std::length_error&) {
    result.status = ReadStatus::kOutOfMemory;
    return result;
  }
  const std::size_t read = std::fread(result.bytes.data(), 1, result.bytes.size(), file.get());
  if (read != result.bytes.size()) {
    if (std::ferror(file.get()) != 0) {
      result.bytes.clear();
      result.status = ReadStatus::kReadError;
      return result;
    }
    result.bytes.resize(read);  // the file shrank since its length was taken
  }
  result.status = ReadStatus::kOk;
  return result;
}

bool ReplaceFileContents(const std::filesystem::path& path,
                         std::initializer_list<std::span<const std::uint8_t>> blocks) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error) || IsReadOnlyFile(path)) return false;

  const std::filesystem::path temporary = TemporaryPathFor(path);
  bool written = false;
  {
    StdioFile file(temporary, true);
    if (file) {
      written = true;
      for (const auto block : blocks) {
        if (block.empty()) continue;
        if (std::fwrite(block.data(), 1, block.size(), file.get()) != block.size()) {
          written = false;
          break;
        }
      }
      written = written && file.FlushToDisk();
      written = file.Close() && written;
    }
  }
  if (written) {
    std::filesystem::rename(temporary, path, error);
    written = !error;
  }
  if (!written) std::filesystem::remove(temporary, error);
  return written;
}

}  // namespace tarvolin::profiles
