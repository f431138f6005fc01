#pragma once
#include <filesystem>
#include <functional>

#include "profiles/profile_context.h"

// The main window's import and export commands, once the file dialog has given a path.

namespace tarvolin::profiles {

struct ImportResult {
  bool loaded = false;  // the file replaced the configuration (the main window then has no
                        // unapplied changes)
  int saved = 0;        // SaveActiveProfileFile's result
  int applied = 0;      // ApplyConfig's result
};

// Validates the file (a bad header shows PROFILE_FORMAT_ERROR), then loads it, saves it as
// the active profile's file when that exists and writes all three profiles and the macros to
// the keyboard; `refresh_key_buttons` runs under the lock once that is done. A file that is
// rejected or cannot be read shows MAIN_PROMPT_INPORT and changes nothing: the configuration
// is replaced only once the whole file has been read.
ImportResult ImportProfileFrom(ProfileContext& context, const std::filesystem::path& path,
                               const std::function<void()>& refresh_key_buttons = {});

// Writes the configuration to `path` under the lock. 1 written, 0 not (no message).
int ExportProfileTo(ProfileContext& context, const std::filesystem::path& path);

}  // namespace tarvolin::profiles
