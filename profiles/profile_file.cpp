#include "profiles/profile_file.h"

#include <cstring>
#include <mutex>
#include <new>
#include <span>

#include "model/download.h"
#include "model/key_map.h"
#include "profiles/file_io.h"
#include "profiles/profile_content.h"
#include "profiles/string_area.h"

namespace tarvolin::profiles {
namespace {

constexpr std::uint64_t kFourGiB = 0x100000000ull;

std::span<const std::uint8_t> BytesOf(const model::ProfileSet& set) {
  return {reinterpret_cast<const std::uint8_t*>(&set), sizeof set};
}

std::span<const std::uint8_t> BytesOf(const std::vector<model::MacroRecord>& macros) {
  return {reinterpret_cast<const std::uint8_t*>(macros.data()),
          macros.size() * sizeof(model::MacroRecord)};
}

// Steps 3..6 of the write: header, strings, the three blocks. The caller holds the lock.
int WriteLocked(model::EditedConfig& config, const std::filesystem::path& path) {
  if (!config.profiles) return 0;
  model::ProfileSet& set = *config.profiles;
  model::WriteProfileHeader(set, config.MacroCount(), config.StringBytes());
  std::vector<std::uint8_t> area;
  try {
    area = PackStringArea(
        set,
        [&config](std::size_t index) -> const model::StringEntry& { return config.String(index); },
        config.StringBytes());
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return ReplaceFileContents(path, {BytesOf(set), BytesOf(config.macros), area}) ? 1 : 0;
}

}  // namespace

ProfileFileCheck CheckProfileFile(const std::filesystem::path& path) {
  ProfileFileCheck check;
  const FileBytes head = ReadFileBytes(path, kFileHeaderBytes);
  check.file_size = head.file_size;
  switch (head.status) {
    case ReadStatus::kOk:
      break;
    case ReadStatus::kMissing:
      check.fault = ProfileFileFault::kMissing;
      return check;
    case ReadStatus::kCannotOpen:
    case ReadStatus::kReadError:
      check.fault = ProfileFileFault::kCannotOpen;
      check.result = kProfileFileCannotOpen;
      return check;
    case ReadStatus::kOutOfMemory:
      check.fault = ProfileFileFault::kOutOfMemory;
      check.result = kProfileFileOutOfMemory;
      return check;
  }
  if (head.file_size >= kFourGiB) {
    check.fault = ProfileFileFault::kTooLarge;
    return check;
  }
  if (head.file_size < kProfileSetBytes || head.bytes.size() < kFileHeaderBytes) {
    check.fault = ProfileFileFault::kTooSmall;
    return check;
  }
  const auto header_bytes = std::span<const std::uint8_t>(head.bytes).first<kFileHeaderBytes>();
  check.total_size = ProfileFileHeader::Parse(header_bytes).total_size;
  check.header_fault = CheckProfileHeader(header_bytes);
  if (check.header_fault != HeaderFault::kNone) {
    check.fault = ProfileFileFault::kBadHeader;
    return check;
  }
  // A longer file is fine (the rest is never read); a shorter one would be read past its end.
  if (head.file_size < check.total_size) {
    check.fault = ProfileFileFault::kShorterThanTotal;
    return check;
  }
  check.fault = ProfileFileFault::kNone;
  check.result = 1;
  return check;
}

std::string DescribeProfileFileCheck(const ProfileFileCheck& check) {
  switch (check.fault) {
    case ProfileFileFault::kNone:
      return "valid profile file";
    case ProfileFileFault::kMissing:
      return "no such file";
    case ProfileFileFault::kCannotOpen:
      return "the file cannot be opened for reading";
    case ProfileFileFault::kOutOfMemory:
      return "out of memory";
    case ProfileFileFault::kTooSmall:
      return "the file has " + std::to_string(check.file_size) +
             " bytes, fewer than the 32832 of a profile file";
    case ProfileFileFault::kTooLarge:
      return "the file is 4 GiB or larger";
    case ProfileFileFault::kBadHeader:
      return std::string(DescribeHeaderFault(check.header_fault));
    case ProfileFileFault::kShorterThanTotal:
      return "the file has " + std::to_string(check.file_size) +
             " bytes, fewer than the total size of " + std::to_string(check.total_size) +
             " in its header";
  }
  return "unknown fault";
}

int ValidateProfileFile(Prompter& prompter, const LanguageTable& texts,
                        const std::filesystem::path& path) {
  const ProfileFileCheck check = CheckProfileFile(path);
  if (check.IsFormatError()) {
    prompter.Ask(texts.Format(TextKey::PROFILE_FORMAT_ERROR, {path.u16string()}),
                 PromptButtons::kOk);
  }
  return check.result;
}

int ReadProfileFile(model::EditedConfig& config, const std::filesystem::path& path) {
  ProfileFileLoad load = LoadProfileFile(path);
  if (!load.Loaded()) return 0;
  return InstallProfileContent(config, std::move(load.content)) ? 1 : 0;
}

int WriteProfileFile(model::EditedConfig& config, int lock, const std::filesystem::path& path) {
  std::unique_lock guard(config.mutex(), std::defer_lock);
  if (lock == 1) guard.lock();
  return WriteLocked(config, path);
}

namespace {

int SaveActiveProfile(ProfileContext& context, int lock, bool create) {
  const int active = model::QueryActiveProfile(context.config.channel, context.config.app_state);
  if (active < 0) return 0;
  const std::filesystem::path path = context.data_folder.ProfileFilePath(active);
  model::EditedConfig& config = context.config.edited;
  std::unique_lock guard(config.mutex(), std::defer_lock);
  if (lock == 1) guard.lock();
  if (!create && !FileExists(path)) return 0;
  return WriteLocked(config, path);
}

}  // namespace

int SaveActiveProfileFile(ProfileContext& context, int lock) {
  // Import keeps an existing file current; it never creates one.
  return SaveActiveProfile(context, lock, false);
}

int SaveDownloadedProfileFile(ProfileContext& context, int lock) {
  return SaveActiveProfile(context, lock, true);
}

model::ProfileSet DefaultProfileSet() {
  model::ProfileSet set;
  model::ResetAllAssignments(set);
  model::WriteProfileHeader(set, 0, 0);
  model::WriteProfileSetDescriptor(set);
  return set;
}

int BuildDefaultProfileSet(const std::filesystem::path& path) {
  try {
    const auto set = std::make_unique<model::ProfileSet>(DefaultProfileSet());
    return ReplaceFileContents(path, {BytesOf(*set)}) ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int BuildDefaultProfileSet(model::EditedConfig& config) {
  try {
    auto set = std::make_unique<model::ProfileSet>(DefaultProfileSet());
    std::lock_guard guard(config.mutex());
    config.profiles = std::move(set);
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

void ReleaseEditedConfiguration(model::EditedConfig& config) {
  config.Release();
}

}  // namespace tarvolin::profiles
