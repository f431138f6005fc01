#include "platform/replace_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarvolin {
namespace {

// Owns a file descriptor opened for writing.
class WriteDescriptor {
 public:
  WriteDescriptor() = default;
  WriteDescriptor(const WriteDescriptor&) = delete;
  WriteDescriptor& operator=(const WriteDescriptor&) = delete;
  ~WriteDescriptor() { Close(); }

  // Creates `path`; fails when anything exists there already.
  bool CreateExclusive(const std::filesystem::path& path) {
#ifdef _WIN32
    fd_ = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
    return fd_ >= 0;
  }

  bool WriteAll(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 20));
#ifdef _WIN32
      const int written = _write(fd_, bytes.data(), chunk);
#else
      const ssize_t written = write(fd_, bytes.data(), chunk);
#endif
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
  }

  // Puts the data on the disk, so a crash right after the rename cannot leave an empty file.
  bool FlushToDisk() {
#ifdef _WIN32
    return _commit(fd_) == 0;
#else
    return fsync(fd_) == 0;
#endif
  }

  bool Close() {
    if (fd_ < 0) return true;
#ifdef _WIN32
    const bool closed = _close(fd_) == 0;
#else
    const bool closed = close(fd_) == 0;
#endif
    fd_ = -1;
    return closed;
  }

 private:
  int fd_ = -1;
};

// "<name>.<process>-<serial>.partial" beside the target.
std::filesystem::path TemporaryName(const std::filesystem::path& path, unsigned serial) {
#ifdef _WIN32
  const long process = _getpid();
#else
  const long process = getpid();
#endif
  std::filesystem::path temporary = path;
  temporary += "." + std::to_string(process) + "-" + std::to_string(serial) + ".partial";
  return temporary;
}

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path,
                           std::initializer_list<std::span<const std::uint8_t>> blocks) {
  static std::atomic<unsigned> serial{
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFF)};
  WriteDescriptor file;
  std::filesystem::path temporary;
  bool created = false;
  for (int tries = 0; tries < 100 && !created; ++tries) {
    temporary = TemporaryName(path, serial++);
    created = file.CreateExclusive(temporary);
    if (!created && errno != EEXIST) return false;
  }
  if (!created) return false;

  bool written = true;
  for (const auto block : blocks) written = written && file.WriteAll(block);
  written = written && file.FlushToDisk();
  written = file.Close() && written;
  written = written && RenameOver(temporary, path);
  if (!written) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
  }
  return written;
}

std::optional<long> TemporaryWriter(const std::filesystem::path& name) {
  constexpr std::string_view kSuffix = ".partial";
  const std::string text = name.filename().string();
  if (text.size() <= kSuffix.size() || !text.ends_with(kSuffix)) return std::nullopt;
  const std::string_view stem(text.data(), text.size() - kSuffix.size());
  // "<target>.<digits>-<digits>": the serial after the last dash, the process before it.
  const std::size_t dash = stem.rfind('-');
  const std::size_t dot = stem.rfind('.', dash);
  if (dash == std::string_view::npos || dot == std::string_view::npos || dot == 0) {
    return std::nullopt;
  }
  const std::string_view process = stem.substr(dot + 1, dash - dot - 1);
  const std::string_view serial = stem.substr(dash + 1);
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.size() <= 9 &&
           std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(process) || !digits(serial)) return std::nullopt;
  return std::stol(std::string(process));
}

int RemoveAbandonedTemporaries(const std::filesystem::path& folder,
                               const std::function<bool(long process)>& running) {
  int removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::optional<long> writer = TemporaryWriter(it->path());
    if (!writer || running(*writer)) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored) && std::filesystem::remove(it->path(), ignored)) ++removed;
  }
  return removed;
}

}  // namespace tarvolin
