#include "profiles/profile_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "profile_test_support.h"
#include "profiles/profile_content.h"
#include "profiles/string_area.h"

namespace tarvolin::profiles {
namespace {

using namespace testing;
using model::AssignmentType;

Bytes DefaultFileBytes() {
  const model::ProfileSet set = DefaultProfileSet();
  const auto* begin = reinterpret_cast<const std::uint8_t*>(&set);
  return Bytes(begin, begin + sizeof set);
}

std::u16string FormatError(const std::filesystem::path& path) {
  return u"wrong file format, revert to the default values: \n  " + path.u16string();
}

class ProfileFileTest : public ::testing::Test {
 protected:
  int Validate(const std::filesystem::path& path) {
    return ValidateProfileFile(prompter_, texts_, path);
  }

  ScratchFolder folder_;
  LanguageTable texts_;
  RecordingPrompter prompter_;
};

TEST_F(ProfileFileTest, DefaultSetHasTheDocumentedHeaderDescriptorAndTags) {
  const Bytes bytes = DefaultFileBytes();
  ASSERT_EQ(bytes.size(), 32832u);
  const Bytes header(bytes.begin(), bytes.begin() + 32);
  Bytes expected = {0x46, 0x44, 0x20, 0x00, 0x03, 0x00, 0x01, 0x00,
                    0x40, 0x80, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00};
  expected.resize(31, 0);
  expected.push_back(0x76);
  EXPECT_EQ(header, expected);

  const Bytes descriptor(bytes.begin() + 32, bytes.begin() + 64);
  const Bytes expected_descriptor = {
      0x4B, 0x48, 0x20, 0x00, 0x20, 0x80, 0x00, 0x00, 0x04, 0x00, 0x00, 0x02, 0, 0, 0, 0,
      0x45, 0x0C, 0x07, 0x7A, 0x4F, 0x1C, 0x0E, 0x00, 0,    0,    0,    0,    0, 0, 0, 0};
  EXPECT_EQ(descriptor, expected_descriptor);

  // Every record zero except the G slot tags of profile 0.
  const model::ProfileSet set = DefaultProfileSet();
  for (std::size_t i = 0; i < model::kRecordCount; ++i) {
    model::KeyAssignment expected_record;
    if (i >= 256 && i <= 273) expected_record.tag = model::GSlotTag(i);
    EXPECT_EQ(set.records[i], expected_record) << i;
  }
  EXPECT_EQ(set.records[256].tag, 0x0301);
  EXPECT_EQ(set.records[264].tag, 0x0309);
  EXPECT_EQ(set.records[265].tag, 0x1301);
  EXPECT_EQ(set.records[273].tag, 0x1309);

  // The file form writes exactly those bytes and is valid.
  const auto path = folder_.File("default.tvc");
  ASSERT_EQ(BuildDefaultProfileSet(path), 1);
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_EQ(Validate(path), 1);
  EXPECT_TRUE(prompter_.messages.empty());

  // The install form sets only the ProfileSet.
  model::EditedConfig config;
  ASSERT_EQ(BuildDefaultProfileSet(config), 1);
  ASSERT_TRUE(config.profiles);
  EXPECT_EQ(std::memcmp(config.profiles.get(), bytes.data(), bytes.size()), 0);
  EXPECT_TRUE(config.macros.empty());
  EXPECT_EQ(config.StringBytes(), 0u);
}

TEST_F(ProfileFileTest, ValidationAcceptsBothFlagsAndRejectsEachBrokenFieldNamingThePath) {
  const auto path = folder_.File("checked.tvc");
  Bytes good = DefaultFileBytes();
  for (const std::uint8_t flag : {std::uint8_t{0}, std::uint8_t{1}}) {
    Bytes bytes = good;
    bytes[30] = flag;
    FixChecksum(bytes);
    WriteFile(path, bytes);
    EXPECT_EQ(Validate(path), 1) << "flag " << int{flag};
  }
  // A hundred macros are accepted.
  {
    Bytes bytes = good;
    PutU16(bytes, 14, 100);
    PutU32(bytes, 8, 32832 + 16512 * 100);
    FixChecksum(bytes);
    bytes.resize(32832 + 16512 * 100, 0);
    WriteFile(path, bytes);
    EXPECT_EQ(Validate(path), 1);
  }
  EXPECT_TRUE(prompter_.messages.empty());

  struct Breakage {
    const char* what;
    std::function<void(Bytes&)> apply;
    bool fix_checksum = true;
  };
  const std::vector<Breakage> breakages = {
      {"magic", [](Bytes& b) { PutU16(b, 0, 0x4447); }},
      {"header size", [](Bytes& b) { PutU16(b, 2, 31); }},
      {"format tag 1", [](Bytes& b) { PutU16(b, 4, 2); }},
      {"format tag 2", [](Bytes& b) { PutU16(b, 6, 0); }},
      {"total size below a set", [](Bytes& b) { PutU32(b, 8, 32831); }},
      {"record count", [](Bytes& b) { PutU16(b, 12, 2047); }},
      {"macro count 101",
       [](Bytes& b) {
         PutU16(b, 14, 101);
         PutU32(b, 8, 32832 + 16512 * 101);
       }},
      {"flag 2", [](Bytes& b) { b[30] = 2; }},
      {"total size one byte short of the sum",
       [](Bytes& b) {
         PutU32(b, 16, 10);
         PutU32(b, 8, 32832 + 9);
       }},
      {"checksum", [](Bytes& b) { b[31] ^= 0x01; }, false},
  };
  for (const Breakage& breakage : breakages) {
    prompter_.messages.clear();
    Bytes bytes = good;
    breakage.apply(bytes);
    if (breakage.fix_checksum) FixChecksum(bytes);
    bytes.resize(std::max<std::size_t>(bytes.size(), 32832 + 16512 * 101), 0);
    WriteFile(path, bytes);
    EXPECT_EQ(Validate(path), 0) << breakage.what;
    ASSERT_EQ(prompter_.messages.size(), 1u) << breakage.what;
    EXPECT_EQ(prompter_.messages[0], FormatError(path)) << breakage.what;
    EXPECT_EQ(CheckProfileFile(path).fault, ProfileFileFault::kBadHeader) << breakage.what;
  }
}

TEST_F(ProfileFileTest, SizeFaultsAreSilentButAFileShorterThanItsHeaderIsAFormatError) {
  const auto path = folder_.File("sized.tvc");
  EXPECT_EQ(Validate(path), 0);  // missing
  EXPECT_EQ(CheckProfileFile(path).fault, ProfileFileFault::kMissing);

  Bytes bytes = DefaultFileBytes();
  bytes.pop_back();
  WriteFile(path, bytes);
  EXPECT_EQ(Validate(path), 0);
  EXPECT_EQ(CheckProfileFile(path).fault, ProfileFileFault::kTooSmall);
  EXPECT_TRUE(prompter_.messages.empty());

  // Longer than declared: fine, the rest is never read.
  bytes = DefaultFileBytes();
  bytes.resize(40000, 0xEE);
  WriteFile(path, bytes);
  EXPECT_EQ(Validate(path), 1);

  // A header for one macro on a file without it: rejected, never read.
  bytes = DefaultFileBytes();
  PutU16(bytes, 14, 1);
  PutU32(bytes, 8, 32832 + 16512);
  FixChecksum(bytes);
  bytes.resize(32832 + 16511, 0);
  WriteFile(path, bytes);
  const ProfileFileCheck check = CheckProfileFile(path);
  EXPECT_EQ(check.fault, ProfileFileFault::kShorterThanTotal);
  EXPECT_EQ(DescribeProfileFileCheck(check),
            "the file has 49343 bytes, fewer than the total size of 49344 in its header");
  EXPECT_EQ(Validate(path), 0);
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], FormatError(path));
  model::EditedConfig config;
  EXPECT_EQ(ReadProfileFile(config, path), 0);
  EXPECT_FALSE(config.profiles);
}

TEST_F(ProfileFileTest, StringsArePackedInRecordOrderAtEvenOffsets) {
  model::EditedConfig config;
  ASSERT_EQ(BuildDefaultProfileSet(config), 1);
  model::ProfileSet& set = *config.profiles;
  const std::size_t text_block = 1 * 512 + 0x10;  // profile 1, slot 0x10
  const std::size_t launch = 0 * 512 + 0x3B;      // profile 0, F1
  const std::size_t late_launch = 3 * 512 + 0x02;
  const std::size_t no_text = 2 * 512 + 0x05;
  const std::size_t stale = 0 * 512 + 0x1E;  // a single key that once was a launch record
  set.records[text_block] = MakeRecord(AssignmentType::kTextBlock);
  set.records[launch] = MakeRecord(AssignmentType::kLaunchProgram);
  set.records[late_launch] = MakeRecord(AssignmentType::kLaunchProgram);
  set.records[no_text] = MakeRecord(AssignmentType::kLaunchProgram, 1234);
  set.records[stale] = MakeRecord(AssignmentType::kSingleKey, 0x030);
  config.SetString(text_block, u"Hi");
  config.SetString(launch, u"C:\\a.exe");
  config.SetString(late_launch, u"");
  config.SetString(stale, u"xyz");  // counted in the total, never written
  EXPECT_EQ(config.StringBytes(), 6u + 18u + 2u + 8u);

  const auto path = folder_.File("strings.tvc");
  ASSERT_EQ(WriteProfileFile(config, 1, path), 1);
  const Bytes bytes = ReadFile(path);
  ASSERT_EQ(bytes.size(), 32832u + 34u);
  EXPECT_EQ(bytes[16], 34);  // string bytes in the header
  EXPECT_EQ(Validate(path), 1);

  const Bytes area(bytes.begin() + 32832, bytes.end());
  Bytes expected;
  for (char16_t c : std::u16string(u"C:\\a.exe"))
    expected.insert(expected.end(), {std::uint8_t(c), 0});
  expected.insert(expected.end(), {0, 0});
  for (char16_t c : std::u16string(u"Hi")) expected.insert(expected.end(), {std::uint8_t(c), 0});
  expected.insert(expected.end(), {0, 0, 0, 0});  // then the empty text's terminator
  expected.resize(34, 0);                         // and zeros up to the declared size
  EXPECT_EQ(area, expected);
  EXPECT_EQ(set.records[launch].value, 0u);
  EXPECT_EQ(set.records[text_block].value, 18u);
  EXPECT_EQ(set.records[late_launch].value, 24u);
  EXPECT_EQ(set.records[no_text].value, 1234u);  // kept: it has no text
  EXPECT_EQ(set.records[stale].value, 0x030u);

  // Read back: the texts return to their records, none to the stale one.
  model::EditedConfig loaded;
  ASSERT_EQ(ReadProfileFile(loaded, path), 1);
  EXPECT_EQ(loaded.String(launch).text, u"C:\\a.exe");
  EXPECT_EQ(loaded.String(text_block).text, u"Hi");
  EXPECT_EQ(loaded.String(late_launch).text, u"");
  EXPECT_EQ(loaded.String(late_launch).bytes, 2u);
  EXPECT_EQ(loaded.String(stale).bytes, 0u);
  EXPECT_EQ(loaded.StringBytes(), 26u);
  EXPECT_EQ(std::memcmp(loaded.profiles.get(), bytes.data(), 32832), 0);
}

TEST_F(ProfileFileTest, StringOffsetsAndMissingTerminatorsStayInsideTheArea) {
  // An area of 6 bytes "abc" with no terminator, and records pointing into and past it.
  Bytes bytes = DefaultFileBytes();
  PutU32(bytes, 16, 6);
  PutU32(bytes, 8, 32832 + 6);
  FixChecksum(bytes);
  auto put_record = [&bytes](std::size_t index, std::uint16_t type, std::uint32_t value) {
    PutU16(bytes, 64 + 16 * index, type);
    PutU32(bytes, 64 + 16 * index + 4, value);
  };
  put_record(1, AssignmentType::kLaunchProgram, 0);
  put_record(2, AssignmentType::kTextBlock, 3);  // odd: rounds down to 2
  put_record(3, AssignmentType::kLaunchProgram, 6);
  put_record(4, AssignmentType::kTextBlock, 0xFFFFFFFF);
  for (char c : std::string("abc")) bytes.insert(bytes.end(), {std::uint8_t(c), 0});
  const auto path = folder_.File("bounds.tvc");
  WriteFile(path, bytes);
  ASSERT_EQ(Validate(path), 1);

  model::EditedConfig config;
  ASSERT_EQ(ReadProfileFile(config, path), 1);
  EXPECT_EQ(config.String(1).text, u"abc");
  EXPECT_EQ(config.String(2).text, u"bc");
  EXPECT_EQ(config.String(3).bytes, 0u);
  EXPECT_EQ(config.String(4).bytes, 0u);

  EXPECT_EQ(TextInStringArea(Bytes{'a', 0, 'b'}, 0), u"a");  // odd area: the half unit is left
  EXPECT_EQ(TextInStringArea(Bytes{'a', 0, 'b'}, 2), u"");
  EXPECT_FALSE(TextInStringArea(Bytes{}, 0).has_value());
}

TEST_F(ProfileFileTest, ReadOnlyFilesAreReadButNeverWritten) {
  model::EditedConfig config;
  FillRandomConfig(config, 7, 3);
  const auto path = folder_.File("readonly.tvc");
  ASSERT_EQ(WriteProfileFile(config, 1, path), 1);
  const Bytes before = ReadFile(path);
  UnwritableFile unwritable(path);
  if (!unwritable.Enforced()) GTEST_SKIP() << "no way to make a file unwritable here";

  EXPECT_EQ(Validate(path), 1);
  model::EditedConfig loaded;
  ASSERT_EQ(ReadProfileFile(loaded, path), 1);
  EXPECT_EQ(loaded.MacroCount(), 3);

  config.profiles->records[5] = MakeRecord(AssignmentType::kDisabled);
  EXPECT_EQ(WriteProfileFile(config, 1, path), 0);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(BuildDefaultProfileSet(path), 0);
  EXPECT_EQ(ReadFile(path), before);
}

TEST_F(ProfileFileTest, AFailedWriteLeavesThePreviousFileWholeAndNoLeftovers) {
  model::EditedConfig config;
  FillRandomConfig(config, 11, 2);
  const auto path = folder_.File("$Profile0");
  ASSERT_EQ(WriteProfileFile(config, 0, path), 1);
  const Bytes before = ReadFile(path);

  // A file of the user's that happens to be named like a temporary is never touched, on a
  // failed write (a folder where the target is) or on a successful one.
  auto users = path;
  users += ".partial";
  const Bytes mine = {'m', 'i', 'n', 'e'};
  WriteFile(users, mine);
  const auto folder_target = folder_.File("taken");
  std::filesystem::create_directory(folder_target);
  auto users_beside_folder = folder_target;
  users_beside_folder += ".partial";
  WriteFile(users_beside_folder, mine);
  EXPECT_EQ(WriteProfileFile(config, 0, folder_target), 0);
  EXPECT_EQ(ReadFile(users_beside_folder), mine);
  config.macros.clear();
  ASSERT_EQ(WriteProfileFile(config, 0, path), 1);
  EXPECT_EQ(ReadFile(users), mine);
  EXPECT_NE(ReadFile(path), before);
  std::filesystem::remove(users);
  std::filesystem::remove(users_beside_folder);
  std::filesystem::remove(folder_target);

  // A folder where the file should be, and a missing folder.
  EXPECT_EQ(WriteProfileFile(config, 0, folder_.Path()), 0);
  EXPECT_EQ(WriteProfileFile(config, 0, folder_.File("missing") / "x.tvc"), 0);
  EXPECT_EQ(BuildDefaultProfileSet(folder_.File("missing") / "x.tvc"), 0);

  // Nothing to write without a ProfileSet.
  model::EditedConfig empty;
  EXPECT_EQ(WriteProfileFile(empty, 1, folder_.File("none.tvc")), 0);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("none.tvc")));

  // A successful write replaces the file and leaves only it.
  ASSERT_EQ(WriteProfileFile(config, 0, path), 1);
  EXPECT_EQ(ReadFile(path).size(), 32832u + config.StringBytes());
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1u);
}

TEST_F(ProfileFileTest, WriteThenReadGivesTheSameConfiguration) {
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    model::EditedConfig config;
    FillRandomConfig(config, seed, seed * 3);
    const auto path = folder_.File("round" + std::to_string(seed) + ".tvc");
    ASSERT_EQ(WriteProfileFile(config, 1, path), 1);
    ASSERT_EQ(Validate(path), 1);

    model::EditedConfig loaded;
    ReleaseEditedConfiguration(loaded);
    ASSERT_EQ(ReadProfileFile(loaded, path), 1);
    EXPECT_EQ(std::memcmp(loaded.profiles.get(), config.profiles.get(), 32832), 0);
    ASSERT_EQ(loaded.MacroCount(), config.MacroCount());
    for (std::size_t m = 0; m < config.macros.size(); ++m) {
      EXPECT_EQ(std::memcmp(&loaded.macros[m], &config.macros[m], sizeof(model::MacroRecord)), 0);
    }
    for (std::size_t i = 0; i < model::kRecordCount; ++i) {
      const bool written = IsStringType(config.profiles->records[i].type) && config.String(i).bytes;
      EXPECT_EQ(loaded.String(i).text, written ? config.String(i).text : u"") << i;
    }
    // And writing what was read gives the same file.
    const auto again = folder_.File("again.tvc");
    ASSERT_EQ(WriteProfileFile(loaded, 1, again), 1);
    if (loaded.StringBytes() == config.StringBytes()) {
      EXPECT_EQ(ReadFile(again), ReadFile(path));
    }
  }

  // Release empties everything.
  model::EditedConfig config;
  FillRandomConfig(config, 5, 2);
  ReleaseEditedConfiguration(config);
  EXPECT_FALSE(config.profiles);
  EXPECT_TRUE(config.macros.empty());
  EXPECT_EQ(config.StringBytes(), 0u);
}

}  // namespace
}  // namespace tarvolin::profiles
