#include <fstream>
#include <iterator>

#include "device/attachment/device_events.h"
#include "device/commands.h"
#include "profiles/keyboard_profile.h"
#include "tests/attachment/fake_main_window.h"
#include "tests/profile_switching/switching_fixture.h"

namespace tarvolin::profiles {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A keyboard whose default layout is never read; A -> B in profile 0 as an unapplied edit.
class UnreadLayoutTest : public testing::SwitchingTest {
 protected:
  void SetUp() override {
    SwitchingTest::SetUp();
    std::lock_guard lock(edited_.mutex());
    model::KeyAssignment& a = edited_.profiles->Record(0, model::SlotOfCode(0x01E));
    a.type = model::AssignmentType::kSingleKey;
    a.value = 0x030;
  }
};

TEST_F(UnreadLayoutTest, DownloadSendsNothingAndKeyboardReadWritesNoFile) {
  const vkb::FirmwareMemory before = vkb().firmware().Snapshot();
  app_state_.macro_space = 100 * 128;
  {
    std::lock_guard lock(edited_.mutex());
    EXPECT_EQ(model::ApplyConfig(config_, 0), 0);
    EXPECT_EQ(model::ApplyConfig(config_, 1), 0);
  }
  EXPECT_TRUE(vkb().traffic().Requests().empty());
  EXPECT_EQ(vkb().firmware().Snapshot().key_maps, before.key_maps);

  // Keyboard to file: no file is made, and an existing one keeps every byte.
  const std::filesystem::path path = data_folder_.ProfileFilePath(0);
  EXPECT_EQ(ReadProfileFromKeyboard(config_, path), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(WriteProfileFile(edited_, 1, path), 1);
  const Bytes written = FileBytes(path);
  EXPECT_EQ(ReadProfileFromKeyboard(config_, path), 0);
  EXPECT_EQ(FileBytes(path), written);

  // Once the layout is read, both work.
  model::KeyMapBlock layout{};
  ASSERT_EQ(device::ReadDefaultLayout(channel(), layout.data()), 1);
  default_key_map_.Set(layout);
  EXPECT_EQ(ReadProfileFromKeyboard(config_, path), 1);
  std::lock_guard lock(edited_.mutex());
  EXPECT_EQ(model::ApplyConfig(config_, 0), 1);
  EXPECT_NE(vkb().firmware().Snapshot().key_maps, before.key_maps);
}

TEST_F(UnreadLayoutTest, AttachWithRefusedLayoutReadKeepsFileAndKeyboardUntouched) {
  // A profile file from an earlier session holds the user's real assignments.
  const std::filesystem::path path = data_folder_.ProfileFilePath(0);
  ASSERT_EQ(WriteProfileFile(edited_, 1, path), 1);
  const Bytes earlier = FileBytes(path);

  tarvolin::testing::FakeMainWindow window;
  window.on_reload = [&] { ReloadActiveProfile(context_, 0); };
  attachment::DeviceEvents events{attachment::DeviceEventsContext{
      channel(), window, prompter_, texts_, app_state_, default_key_map_, bank_}};
  // Three refusals: the layout read (the first request) fails, the settings read answers.
  vkb::FaultPlan faults;
  faults.refused_replies = 3;
  vkb().firmware().SetFaults(faults);
  app_state_.macro_space = 0;
  events.StartAttachRun(1);
  events.WaitUntilIdle();
  vkb().firmware().SetFaults({});

  EXPECT_FALSE(default_key_map_.IsRead());
  EXPECT_EQ(app_state_.macro_space.load(), 100u * 128u);
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], u"Reads the default keyboard layout failure");
  EXPECT_EQ(FileBytes(path), earlier);
  // The window got a usable default configuration.
  {
    std::lock_guard lock(edited_.mutex());
    ASSERT_NE(edited_.profiles, nullptr);
    EXPECT_EQ(edited_.profiles->Record(0, model::SlotOfCode(0x01E)).type, 0);
  }

  // The user assigns a key again and applies: nothing goes to the keyboard, Apply fails.
  const vkb::FirmwareMemory before = vkb().firmware().Snapshot();
  vkb().traffic().Clear();
  std::lock_guard lock(edited_.mutex());
  model::KeyAssignment& a = edited_.profiles->Record(0, model::SlotOfCode(0x01E));
  a.type = model::AssignmentType::kSingleKey;
  a.value = 0x030;
  EXPECT_EQ(model::ApplyConfig(config_, 0), 0);
  EXPECT_TRUE(vkb().traffic().Requests().empty());
  EXPECT_EQ(vkb().firmware().Snapshot().key_maps, before.key_maps);
}

}  // namespace
}  // namespace tarvolin::profiles
