#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "i18n/language_table.h"
#include "model/config_state.h"
#include "platform/prompt.h"
#include "profiles/profile_context.h"
#include "profiles/profile_file_format.h"

// Validating, reading and writing profile files, and the default ProfileSet. Results follow
// the program's convention: 1 success, 0 failure, negative codes where noted.

namespace tarvolin::profiles {

inline constexpr int kProfileFileCannotOpen = -2;
inline constexpr int kProfileFileOutOfMemory = -3;

enum class ProfileFileFault {
  kNone,
  kMissing,
  kCannotOpen,
  kOutOfMemory,
  kTooSmall,          // under 32832 bytes
  kTooLarge,          // 4 GiB or more
  kBadHeader,         // see the header fault
  kShorterThanTotal,  // the file ends before the total size its header declares
};

struct ProfileFileCheck {
  int result = 0;  // 1 valid, 0 missing or invalid, -2 cannot be opened, -3 out of memory
  ProfileFileFault fault = ProfileFileFault::kMissing;
  HeaderFault header_fault = HeaderFault::kNone;
  std::uint64_t file_size = 0;
  std::uint64_t total_size = 0;  // as the header declares it

  // The faults of the file's content, which the user is told about.
  bool IsFormatError() const {
    return fault == ProfileFileFault::kBadHeader || fault == ProfileFileFault::kShorterThanTotal;
  }
};

// The checks of ValidateProfileFile without the message. The file is opened for reading only
// and only its header is read.
ProfileFileCheck CheckProfileFile(const std::filesystem::path& path);

// Plain English for the command-line tool.
std::string DescribeProfileFileCheck(const ProfileFileCheck& check);

// 1 valid; 0 missing, too small, too large or invalid; -2 cannot be opened; -3 out of memory.
// A file whose content is wrong (header fields, or shorter than its header declares) is
// reported with PROFILE_FORMAT_ERROR naming the path.
int ValidateProfileFile(Prompter& prompter, const LanguageTable& texts,
                        const std::filesystem::path& path);
inline int ValidateProfileFile(ProfileContext& context, const std::filesystem::path& path) {
  return ValidateProfileFile(context.config.prompter, context.texts, path);
}

// Loads the file into `config`: 1 loaded; 0 missing, unreadable, out of memory or too
// short for what its header declares. Expects the caller to hold the lock and to have run
// ReleaseEditedConfiguration; on failure the configuration is left released.
int ReadProfileFile(model::EditedConfig& config, const std::filesystem::path& path);

// Rebuilds the header, packs the strings and writes the three blocks, replacing the file as a
// whole. `lock` 1 takes the EditedConfig's lock. 1 written; 0 not written (no ProfileSet, out
// of memory, or the file could not be written: the previous file then stays as it was).
int WriteProfileFile(model::EditedConfig& config, int lock, const std::filesystem::path& path);

// Rewrites the active hardware profile's file, only when it already exists. 0 when the
// active profile is unknown, the file is missing or the write failed.
int SaveActiveProfileFile(ProfileContext& context, int lock);

// Apply's save, once the keyboard took the download: the active profile's file then mirrors
// the keyboard, so it is written also when that profile has none yet (one switched to since
// the keyboard was attached). Otherwise Apply would stay enabled for edits the keyboard
// holds, and discarding later edits would find no file to go back to.
int SaveDownloadedProfileFile(ProfileContext& context, int lock);

// The ProfileSet of a fresh configuration: header for no macros and no strings, the
// descriptor constants, every record zero but the G slot tags of profile 0.
model::ProfileSet DefaultProfileSet();

// Writes a default profile file of 32832 bytes. 1 written, 0 not.
int BuildDefaultProfileSet(const std::filesystem::path& path);
// Installs the default ProfileSet into the (released) configuration. The caller holds the
// lock. 1 done, 0 out of memory.
int BuildDefaultProfileSet(model::EditedConfig& config);

// What precedes every load: no strings, no macros, no ProfileSet.
void ReleaseEditedConfiguration(model::EditedConfig& config);

}  // namespace tarvolin::profiles
