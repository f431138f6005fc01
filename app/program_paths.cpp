#include "app/program_paths.h"

namespace tarvolin::app {
namespace {

ProgramPaths& Storage() {
  static ProgramPaths paths;
  return paths;
}

}  // namespace

ProgramPaths BuildProgramPaths(std::wstring_view executable) {
  const std::size_t split = executable.find_last_of(L"\\/");
  ProgramPaths paths;
  paths.program_folder = split == std::wstring_view::npos
                             ? std::wstring()
                             : std::wstring(executable.substr(0, split + 1));
  paths.program_file_name =
      std::wstring(split == std::wstring_view::npos ? executable : executable.substr(split + 1));
  const std::wstring& folder = paths.program_folder;
  paths.help_folder = folder + L"Help\\";
  paths.skin_folder = folder + L"Skins\\";
  paths.main_skin_file = paths.skin_folder + L"Main.ini";
  paths.profile_skin_folder = paths.skin_folder;
  paths.profile_skin_file = paths.skin_folder + L"Profile.ini";
  paths.composite_skin_folder = paths.skin_folder;
  paths.composite_skin_file = paths.skin_folder + L"Composite.ini";
  // The doubled separator is how the colour files have always been named; Windows reads it
  // as one.
  paths.colour_prefix = folder + L"\\Skins\\UserDengColor_";
  paths.daemon = folder + L"Halvrin.exe";
  return paths;
}

const ProgramPaths& ThePaths() {
  return Storage();
}

void SetThePaths(ProgramPaths paths) {
  Storage() = std::move(paths);
}

}  // namespace tarvolin::app
