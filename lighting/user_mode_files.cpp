#include "lighting/user_mode_files.h"

#include <fstream>
#include <string>

#include "lighting/user_settings.h"

namespace tarvolin::lighting {

std::filesystem::path UserModeFileName(int n) {
  return std::filesystem::path("UserDengColor_" + std::to_string(n) + ".userd");
}

UserModeFilesResult CreateUserModeFiles(IniStore& user_settings,
                                        const std::filesystem::path& skin_folder,
                                        const std::filesystem::path& data_folder) {
  if (ReadUserModeFilesCreated(user_settings)) return UserModeFilesResult::kAlreadyCreated;

  bool complete = true;
  const std::filesystem::path template_path =
      skin_folder / UserModeFileName(kUserModeTemplateNumber);
  for (int n = 0; n < kUserModeFileCount; ++n) {
    std::ifstream source(template_path, std::ios::binary);
    std::ofstream copy(data_folder / UserModeFileName(n), std::ios::binary | std::ios::trunc);
    if (!copy) {
      complete = false;
      continue;
    }
    if (!source) {
      complete = false;  // the copy stays empty
      continue;
    }
    // An empty template gives an empty copy; inserting an empty buffer would mark a failure.
    if (source.peek() != std::ifstream::traits_type::eof()) copy << source.rdbuf();
    if (!copy.flush()) complete = false;
  }
  // Recorded even after a failed copy, so a missing template is not retried at every start.
  WriteUserModeFilesCreated(user_settings);
  return complete ? UserModeFilesResult::kCreated : UserModeFilesResult::kIncomplete;
}

}  // namespace tarvolin::lighting
