#pragma once
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// The per-user data folder: the documents folder followed by "Tarvolin". It holds the files
// of the three hardware profiles ("$Profile0" .. "$Profile2", no extension) and the per-key
// colour files.

namespace tarvolin::profiles {

inline constexpr std::u16string_view kDataFolderName = u"Tarvolin";
inline constexpr int kHardwareProfileFiles = 3;

// "$Profile" and the index in decimal; empty for a negative index.
std::u16string ProfileFileName(int index);

class DataFolder {
 public:
  // Runs once each time this object creates the folder: the per-key colour files start there.
  using CreatedHook = std::function<void(const std::filesystem::path& folder)>;

  // `documents_folder` is the user's documents folder (on Windows from the shell).
  explicit DataFolder(std::filesystem::path documents_folder, CreatedHook on_created = {});

  const std::filesystem::path& Path() const { return path_; }

  // Creates the folder when it is missing, and only then runs the hook. False when the
  // folder neither existed nor could be created.
  bool Ensure();

  // The file of hardware profile `index`; the folder is ensured first, as every caller is
  // about to use the file. Empty for a negative index.
  std::filesystem::path ProfileFilePath(int index);

 private:
  std::filesystem::path path_;
  CreatedHook on_created_;
};

}  // namespace tarvolin::profiles
