#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "lighting/user_mode_files.h"
#include "lighting/user_settings.h"
#include "tests/lighting/memory_ini_store.h"

namespace tarvolin::lighting {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class UserModeFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(::testing::TempDir()) /
            ("lighting_files_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    skin_ = root_ / "Skins";
    data_ = root_ / "Tarvolin";
    fs::create_directories(skin_);
    fs::create_directories(data_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path root_, skin_, data_;
  testing::MemoryIniStore settings_;
};

TEST(UserSettingsTest, LightingModeFlag) {
  testing::MemoryIniStore settings;
  EXPECT_FALSE(ReadLightingMode(settings));  // missing reads as off
  EXPECT_TRUE(WriteLightingMode(settings, true));
  EXPECT_EQ(settings.Read(u"KEYCOLOR", u"DengCheck", u""), u"1");
  EXPECT_TRUE(ReadLightingMode(settings));
  EXPECT_TRUE(WriteLightingMode(settings, false));
  EXPECT_EQ(settings.Read(u"KEYCOLOR", u"DengCheck", u""), u"0");
  EXPECT_FALSE(ReadLightingMode(settings));

  EXPECT_TRUE(IsFlagSet(u" 1"));
  EXPECT_TRUE(IsFlagSet(u"01"));
  EXPECT_FALSE(IsFlagSet(u"11"));
  EXPECT_FALSE(IsFlagSet(u"yes"));
  EXPECT_FALSE(IsFlagSet(u""));
  EXPECT_FALSE(IsFlagSet(u"2"));
}

TEST_F(UserModeFilesTest, FourCopiesOfTheTemplateOnce) {
  const std::string content("\x01\x00\xFFtemplate\r\n", 13);
  std::ofstream(skin_ / "UserDengColor_3.userd", std::ios::binary) << content;

  EXPECT_EQ(CreateUserModeFiles(settings_, skin_, data_), UserModeFilesResult::kCreated);
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(ReadFile(data_ / ("UserDengColor_" + std::to_string(n) + ".userd")), content) << n;
  }
  EXPECT_FALSE(fs::exists(data_ / "UserDengColor_4.userd"));
  EXPECT_EQ(settings_.Read(u"KEYCOLOR", u"usermodeCheck", u""), u"1");

  // Once done, a user's own edits are never overwritten.
  std::ofstream(data_ / "UserDengColor_0.userd", std::ios::binary) << "mine";
  EXPECT_EQ(CreateUserModeFiles(settings_, skin_, data_), UserModeFilesResult::kAlreadyCreated);
  EXPECT_EQ(ReadFile(data_ / "UserDengColor_0.userd"), "mine");
}

TEST_F(UserModeFilesTest, MissingTemplateGivesEmptyFilesAndStillSetsTheFlag) {
  std::ofstream(data_ / "UserDengColor_2.userd", std::ios::binary) << "old";
  EXPECT_EQ(CreateUserModeFiles(settings_, skin_, data_), UserModeFilesResult::kIncomplete);
  for (int n = 0; n < 4; ++n) {
    const fs::path file = data_ / ("UserDengColor_" + std::to_string(n) + ".userd");
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
  }
  EXPECT_TRUE(ReadUserModeFilesCreated(settings_));
}

TEST_F(UserModeFilesTest, MissingDataFolderCreatesNothing) {
  std::ofstream(skin_ / "UserDengColor_3.userd", std::ios::binary) << "x";
  const fs::path missing = root_ / "nowhere";
  EXPECT_EQ(CreateUserModeFiles(settings_, skin_, missing), UserModeFilesResult::kIncomplete);
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_TRUE(ReadUserModeFilesCreated(settings_));
}

TEST_F(UserModeFilesTest, EmptyTemplateIsACompleteCopy) {
  std::ofstream(skin_ / "UserDengColor_3.userd", std::ios::binary);
  EXPECT_EQ(CreateUserModeFiles(settings_, skin_, data_), UserModeFilesResult::kCreated);
  EXPECT_EQ(fs::file_size(data_ / "UserDengColor_3.userd"), 0u);
}

}  // namespace
}  // namespace tarvolin::lighting
