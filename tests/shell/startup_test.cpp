#include <gtest/gtest.h>

#include "app/program_paths.h"
#include "app/startup_arguments.h"

namespace tarvolin::app {
namespace {

TEST(ProgramPaths, BuiltFromTheExecutablesFolder) {
  const ProgramPaths paths = BuildProgramPaths(L"C:\\Program Files\\Tarvolin\\Tarvolin.exe");
  EXPECT_EQ(paths.program_file_name, L"Tarvolin.exe");
  EXPECT_EQ(paths.program_folder, L"C:\\Program Files\\Tarvolin\\");
  EXPECT_EQ(paths.help_folder, L"C:\\Program Files\\Tarvolin\\Help\\");
  EXPECT_EQ(paths.skin_folder, L"C:\\Program Files\\Tarvolin\\Skins\\");
  EXPECT_EQ(paths.main_skin_file, L"C:\\Program Files\\Tarvolin\\Skins\\Main.ini");
  EXPECT_EQ(paths.profile_skin_file, L"C:\\Program Files\\Tarvolin\\Skins\\Profile.ini");
  EXPECT_EQ(paths.composite_skin_file, L"C:\\Program Files\\Tarvolin\\Skins\\Composite.ini");
  EXPECT_EQ(paths.colour_prefix, L"C:\\Program Files\\Tarvolin\\\\Skins\\UserDengColor_");
  EXPECT_EQ(paths.daemon, L"C:\\Program Files\\Tarvolin\\Halvrin.exe");
}

TEST(ProgramPaths, ForwardSlashesAndBareNames) {
  EXPECT_EQ(BuildProgramPaths(L"Z:/opt/bin/Tarvolin.exe").program_folder, L"Z:/opt/bin/");
  const ProgramPaths bare = BuildProgramPaths(L"Tarvolin.exe");
  EXPECT_EQ(bare.program_folder, L"");
  EXPECT_EQ(bare.program_file_name, L"Tarvolin.exe");
  EXPECT_EQ(bare.daemon, L"Halvrin.exe");
}

TEST(StartupArguments, KillAndStartInAnyCaseAndOrder) {
  using A = StartupAction;
  EXPECT_EQ(StartupActions({L"/start"}), (std::vector<A>{A::kStart}));
  EXPECT_EQ(StartupActions({L"/START", L"/kIlL"}), (std::vector<A>{A::kStart, A::kKill}));
  EXPECT_EQ(StartupActions({L"/Kill", L"/Start"}), (std::vector<A>{A::kKill, A::kStart}));
  // Anything else is ignored, including near misses.
  EXPECT_TRUE(StartupActions({L"Start", L"/Starts", L"-kill", L"", L"/Kil"}).empty());
  EXPECT_TRUE(StartupActions({}).empty());
}

}  // namespace
}  // namespace tarvolin::app
