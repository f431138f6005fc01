#include "profiles/profile_manager_rows.h"

#include <gtest/gtest.h>

#include "platform/memory_settings.h"
#include "profile_test_support.h"
#include "profiles/profile_file.h"
#include "profiles/profile_settings.h"

namespace tarvolin::profiles {
namespace {

using testing::ScratchFolder;

TEST(ProfileManagerRowsTest, PathsSplitAsTheWindowsSplitterDoes) {
  EXPECT_EQ(RowOfPath(u"C:\\Users\\me\\Documents\\Tarvolin\\$Profile0"),
            (ProfileRow{u"$Profile0", u"C:\\Users\\me\\Documents\\Tarvolin\\"}));
  EXPECT_EQ(RowOfPath(u"D:\\x\\The new contextual  mode.tvc"),
            (ProfileRow{u"The new contextual  mode", u"D:\\x\\"}));
  // Only the last dot of the file name starts the extension; dots in folders do not count.
  EXPECT_EQ(RowOfPath(u"C:\\a.b\\game.v2.tvc"), (ProfileRow{u"game.v2", u"C:\\a.b\\"}));
  EXPECT_EQ(RowOfPath(u"C:\\a.b\\plain"), (ProfileRow{u"plain", u"C:\\a.b\\"}));
  EXPECT_EQ(RowOfPath(u"/home/me/x.tvc"), (ProfileRow{u"x", u"/home/me/"}));
  EXPECT_EQ(RowOfPath(u"alone.tvc"), (ProfileRow{u"alone", u""}));
  EXPECT_EQ(RowOfPath(u"C:\\f\\.tvc"), (ProfileRow{u"", u"C:\\f\\"}));

  // The stored value joins folder, name and ".tvc", whatever extension the file had.
  EXPECT_EQ(RowValue(RowOfPath(u"C:\\a\\b.dat")), u"C:\\a\\b.tvc");
  EXPECT_EQ(RowValue(RowOfPath(u"C:\\a\\$Profile2")), u"C:\\a\\$Profile2.tvc");

  MemorySettingsStore store;
  const std::vector<std::u16string> rows = {RowValue(RowOfPath(u"C:\\a\\$Profile0")),
                                            RowValue(RowOfPath(u"C:\\b\\new.tvc"))};
  ASSERT_TRUE(ProfileSettings(store).WriteProfileRows(rows));
  EXPECT_EQ(store.ReadString(u"PROFILES", u"PROFILE00"), u"2");
  EXPECT_EQ(store.ReadString(u"PROFILES", u"PROFILE01"), u"C:\\a\\$Profile0.tvc");
  EXPECT_EQ(store.ReadString(u"PROFILES", u"PROFILE02"), u"C:\\b\\new.tvc");
}

TEST(ProfileManagerRowsTest, OnlyTheThreeHardwareProfilesCanBeTicked) {
  EXPECT_FALSE(TickAllowed(-1));
  EXPECT_TRUE(TickAllowed(0));
  EXPECT_TRUE(TickAllowed(2));
  EXPECT_FALSE(TickAllowed(3));
  EXPECT_FALSE(TickAllowed(100));
  EXPECT_EQ(ProfileToActivate(-1), std::nullopt);
  EXPECT_EQ(ProfileToActivate(0), 0);
  EXPECT_EQ(ProfileToActivate(2), 2);
  EXPECT_EQ(ProfileToActivate(3), std::nullopt);
}

TEST(ProfileManagerRowsTest, HardwareRowsNameTheProfileFilesInTheDataFolder) {
  ScratchFolder scratch;
  DataFolder folder(scratch.Path());
  const std::vector<ProfileRow> rows = HardwareProfileRows(folder);
  ASSERT_EQ(rows.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[static_cast<std::size_t>(i)].name, ProfileFileName(i));
    EXPECT_EQ(RowOfPath(folder.ProfileFilePath(i).u16string()), rows[static_cast<std::size_t>(i)]);
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path()));  // ensured for the rows
}

TEST(ProfileManagerRowsTest, AddAppendsARowOnlyForADefaultFileThatWasWritten) {
  ScratchFolder scratch;
  const std::filesystem::path good = scratch.Path() / "The new contextual  mode.tvc";
  const std::optional<ProfileRow> row = AddedRow(BuildDefaultProfileSet(good), good);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->name, u"The new contextual  mode");
  EXPECT_EQ(std::filesystem::file_size(good), 32832u);

  // A folder that is not there: nothing written, no row.
  const std::filesystem::path missing = scratch.Path() / "gone" / "x.tvc";
  EXPECT_EQ(AddedRow(BuildDefaultProfileSet(missing), missing), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(missing));

  // An existing file that could not be rewritten: the write failed, so no row either.
  EXPECT_EQ(AddedRow(0, good), std::nullopt);
  // A writer that claims success for a file that is not there still adds nothing.
  EXPECT_EQ(AddedRow(1, scratch.Path() / "never.tvc"), std::nullopt);
}

}  // namespace
}  // namespace tarvolin::profiles
