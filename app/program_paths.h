#pragma once
// The program's paths, built once at start-up from the executable's full path. Portable:
// plain string work, tested natively.
#include <string>
#include <string_view>

namespace tarvolin::app {

struct ProgramPaths {
  std::wstring program_file_name;  // file name + extension, for finding other instances
  std::wstring program_folder;     // drive + folder, with its trailing backslash
  std::wstring help_folder;
  std::wstring main_skin_file;
  std::wstring skin_folder;  // folder of the main skin file, trailing backslash
  std::wstring profile_skin_file;
  std::wstring profile_skin_folder;
  std::wstring composite_skin_file;
  std::wstring composite_skin_folder;
  std::wstring colour_prefix;  // default per-key colour files
  std::wstring daemon;         // the companion daemon
};

// `executable` is the full path of the running program ("C:\Apps\Tarvolin.exe"). Either
// slash separates folders; a path without any folder gives an empty program folder.
ProgramPaths BuildProgramPaths(std::wstring_view executable);

// The process-wide paths, set once by the application before any window exists.
const ProgramPaths& ThePaths();
void SetThePaths(ProgramPaths paths);

}  // namespace tarvolin::app
