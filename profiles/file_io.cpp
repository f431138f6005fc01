#include "profiles/file_io.h"

#include <cstdio>
#include <new>
#include <system_error>

#include "platform/replace_file.h"

namespace tarvolin::profiles {
namespace {

// Owns a C stream open for reading and closes it once.
class StdioFile {
 public:
  explicit StdioFile(const std::filesystem::path& path) {
#ifdef _WIN32
    file_ = _wfopen(path.c_str(), L"rb");
#else
    file_ = std::fopen(path.c_str(), "rb");
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

  void Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  std::FILE* file_ = nullptr;
};

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
  StdioFile file(path);
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
  return ReplaceFileAtomically(path, blocks);
}

}  // namespace tarvolin::profiles
