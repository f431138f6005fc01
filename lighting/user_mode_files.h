#pragma once
#include <filesystem>

#include "platform/ini_store.h"

namespace tarvolin::lighting {

inline constexpr int kUserModeFileCount = 4;
// The template in the skin folder that every user-mode file starts as.
inline constexpr int kUserModeTemplateNumber = 3;

// "UserDengColor_<n>.userd"
std::filesystem::path UserModeFileName(int n);

enum class UserModeFilesResult {
  kAlreadyCreated,  // "usermodeCheck" was set; nothing done
  kCreated,         // four copies of the template written
  kIncomplete,      // template or data folder missing: empty or no files, flag still set
};

// Creates the four user-mode files in the per-user data folder from the skin folder's
// template, once per user: the flag in `user_settings` records that it was done.
UserModeFilesResult CreateUserModeFiles(IniStore& user_settings,
                                        const std::filesystem::path& skin_folder,
                                        const std::filesystem::path& data_folder);

}  // namespace tarvolin::lighting
