#include "profiles/data_folder.h"

#include <string>
#include <system_error>

namespace tarvolin::profiles {

std::u16string ProfileFileName(int index) {
  if (index < 0) return {};
  const std::string number = std::to_string(index);
  return u"$Profile" + std::u16string(number.begin(), number.end());
}

DataFolder::DataFolder(std::filesystem::path documents_folder, CreatedHook on_created)
    : path_(std::move(documents_folder) / std::filesystem::path(kDataFolderName)),
      on_created_(std::move(on_created)) {}

bool DataFolder::Ensure() {
  std::error_code error;
  if (std::filesystem::exists(path_, error)) return std::filesystem::is_directory(path_, error);
  // Only the documents folder's own child is made: a missing documents folder is not invented.
  if (!std::filesystem::create_directory(path_, error) || error) return false;
  if (on_created_) on_created_(path_);
  return true;
}

std::filesystem::path DataFolder::ProfileFilePath(int index) {
  if (index < 0) return {};
  Ensure();
  return path_ / std::filesystem::path(ProfileFileName(index));
}

}  // namespace tarvolin::profiles
