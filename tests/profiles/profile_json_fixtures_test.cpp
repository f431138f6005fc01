// Dumps made before the JSON reader and writer changed hands: each must still build its
// profile file byte for byte, and dumping the file must still give the same text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "profile_test_support.h"
#include "profiles/profile_json.h"
#include "tests/support/source_tree.h"

namespace tarvolin::profiles {
namespace {

using namespace testing;

std::filesystem::path FixtureFolder() {
  return tarvolin::testing::SourceTreePath("tests/profiles/fixtures");
}

TEST(ProfileJsonFixtures, EarlierDumpsBuildTheirFilesAndDumpTheSame) {
  // Plain files, a keyboard-shaped one, and one with a flag, a foreign descriptor, junk in
  // macros, a step count past the array, lone surrogates, U+FDD0 and trailing bytes.
  for (const char* name : {"random_no_macros", "random_five_macros", "keyboard_groups", "odd"}) {
    const auto folder = FixtureFolder();
    const Bytes file = ReadFile(folder / (std::string(name) + ".tvc"));
    const Bytes json_bytes = ReadFile(folder / (std::string(name) + ".json"));
    ASSERT_FALSE(file.empty()) << folder / name;
    ASSERT_FALSE(json_bytes.empty()) << folder / name;
    const std::string json(json_bytes.begin(), json_bytes.end());

    std::string error;
    const std::optional<Bytes> built = ProfileFileFromJson(json, error);
    ASSERT_TRUE(built.has_value()) << name << ": " << error;
    EXPECT_EQ(*built, file) << name;
    EXPECT_EQ(ProfileFileToJson(file, error), json) << name;
  }
}

}  // namespace
}  // namespace tarvolin::profiles
