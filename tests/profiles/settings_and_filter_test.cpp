#include <gtest/gtest.h>

#include "platform/memory_settings.h"
#include "profile_test_support.h"
#include "profiles/data_folder.h"
#include "profiles/file_dialog_filter.h"
#include "profiles/profile_settings.h"

namespace tarvolin::profiles {
namespace {

TEST(ProfileSettingsTest, SwitchesReadAsZeroOrOneAndWriteOnlyThose) {
  MemorySettingsStore store;
  LanguageTable texts;
  ProfileSettings settings(store, texts);
  EXPECT_EQ(settings.Flip(), 0);
  EXPECT_EQ(settings.RecordDelay(), 0);

  ASSERT_TRUE(settings.SetFlip(1));
  EXPECT_EQ(store.ReadString(u"PROFILES", u"Flip"), u"1");
  EXPECT_EQ(settings.Flip(), 1);
  ASSERT_TRUE(settings.SetFlip(7));
  EXPECT_EQ(store.ReadString(u"PROFILES", u"Flip"), u"0");
  store.WriteString(u"PROFILES", u"Flip", u"yes");
  EXPECT_EQ(settings.Flip(), 0);

  // The record-delay value is named by the language text at the moment of the access.
  EXPECT_EQ(settings.RecordDelayValueName(), u"RecordDelay");
  ASSERT_TRUE(settings.SetRecordDelay(1));
  EXPECT_EQ(store.ReadString(u"PROFILES", u"RecordDelay"), u"1");
  texts.SetText(TextKey::MACRO_ACTION_RECORD_DELAY, u"Verzoegerung");
  EXPECT_EQ(settings.RecordDelay(), 0);
  ASSERT_TRUE(settings.SetRecordDelay(1));
  EXPECT_EQ(store.ReadString(u"PROFILES", u"Verzoegerung"), u"1");
  EXPECT_EQ(settings.RecordDelay(), 1);
}

TEST(ProfileSettingsTest, RowsAreNumberedFromOneAndCountedInProfile00) {
  MemorySettingsStore store;
  ProfileSettings settings(store);
  EXPECT_EQ(ProfileSettings::RowValueName(0), u"PROFILE00");
  EXPECT_EQ(ProfileSettings::RowValueName(7), u"PROFILE07");
  EXPECT_EQ(ProfileSettings::RowValueName(12), u"PROFILE12");
  EXPECT_EQ(ProfileSettings::RowValueName(123), u"PROFILE123");
  const std::vector<std::u16string> rows = {u"C:\\Docs\\Tarvolin\\$Profile0.tvc",
                                            u"C:\\Docs\\Tarvolin\\$Profile1.tvc",
                                            u"D:\\Other\\Game.tvc"};
  ASSERT_TRUE(settings.WriteProfileRows(rows));
  EXPECT_EQ(store.ReadString(u"PROFILES", u"PROFILE00"), u"3");
  EXPECT_EQ(store.ReadString(u"PROFILES", u"PROFILE01"), rows[0]);
  EXPECT_EQ(store.ReadString(u"PROFILES", u"PROFILE03"), rows[2]);
  EXPECT_FALSE(store.ReadString(u"PROFILES", u"PROFILE04").has_value());
}

TEST(FileDialogFilterTest, BarsBecomeNulsAndTheListEndsWithAnEmptyText) {
  using namespace std::string_literals;
  EXPECT_EQ(FileDialogFilter(kProfileFileFilter), u"(*.tvc)\0*.tvc\0(*.*)\0*.*\0\0"s);
  EXPECT_EQ(FileDialogFilter(u"(*.tvc)|*.tvc"), u"(*.tvc)\0*.tvc\0\0"s);
  EXPECT_EQ(FileDialogFilter(u""), u"\0\0"s);
  EXPECT_EQ(kProfileDefaultExtension, u"tvc");
  EXPECT_EQ(kProfileInitialFileName, u"*.tvc");
}

TEST(DataFolderTest, CreatesTheFolderOnceAndNamesTheProfileFiles) {
  testing::ScratchFolder documents;
  std::vector<std::filesystem::path> created;
  DataFolder folder(documents.Path(),
                    [&](const std::filesystem::path& p) { created.push_back(p); });
  EXPECT_EQ(folder.Path(), documents.Path() / "Tarvolin");
  EXPECT_FALSE(std::filesystem::exists(folder.Path()));

  EXPECT_EQ(folder.ProfileFilePath(2), documents.Path() / "Tarvolin" / "$Profile2");
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path()));
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0], folder.Path());
  EXPECT_TRUE(folder.Ensure());
  EXPECT_EQ(folder.ProfileFilePath(0).filename(), "$Profile0");
  EXPECT_EQ(created.size(), 1u);  // only when it was made
  EXPECT_EQ(folder.ProfileFilePath(-1), std::filesystem::path());

  // A documents folder that does not exist is not invented.
  DataFolder nowhere(documents.Path() / "missing", [&](const auto& p) { created.push_back(p); });
  EXPECT_FALSE(nowhere.Ensure());
  EXPECT_EQ(created.size(), 1u);
}

}  // namespace
}  // namespace tarvolin::profiles
