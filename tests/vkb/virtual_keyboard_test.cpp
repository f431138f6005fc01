#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "device/commands.h"
#include "tests/support/virtual_keyboard_fixture.h"
#include "vkb/persistent_state.h"
#include "vkb/state_file.h"

namespace tarvolin::vkb {
namespace {

using testing::VirtualKeyboardTest;

TEST(FirmwareTest, FactoryLayoutHasTheKeysGKeysAndMediaKeys) {
  const auto layout = FactoryDefaultLayout();
  // A is the first position, as [2, 2, usage 4]; Ctrl (first modifier in button order) [2,1,1].
  EXPECT_EQ(layout[0], 2);
  EXPECT_EQ(layout[1], 2);
  EXPECT_EQ(layout[2], 0x04);
  const std::size_t ctrl = 3 * (66 + 12 + 1);  // after 0x00..0x41, 0x43..0x4E and App
  EXPECT_EQ(layout[ctrl], 2);
  EXPECT_EQ(layout[ctrl + 1], 1);
  EXPECT_EQ(layout[ctrl + 2], 0x01);
  for (int n = 1; n <= 18; ++n) {
    const std::size_t at = 3 * (105 + n - 1);
    EXPECT_EQ(layout[at], 6);
    EXPECT_EQ(layout[at + 1], 0xA2);
    EXPECT_EQ(layout[at + 2], n);
  }
  EXPECT_EQ(layout[3 * 123], 3);
  EXPECT_EQ(layout[3 * 123 + 1], 0xE2);  // Mute
  for (std::size_t i = 378; i < 512; ++i) EXPECT_EQ(layout[i], 0);
}

TEST(FirmwareTest, MalformedRequestsAreRefused) {
  Firmware firmware;
  // Begin and End only as their exact requests; reads carry no data; requests have status 0.
  const std::uint8_t data[1] = {1};
  for (auto request : {device::BuildRequest(device::Command::kBegin, 1, 0),
                       device::BuildRequest(device::Command::kEnd, 0, 1),
                       device::BuildRequest(device::Command::kBegin, 0, 0, data),
                       device::BuildRequest(device::Command::kReadSettings, 48, 0, data),
                       device::BuildRequest(device::Command::kReadKeyMap, 56, 0, data),
                       device::BuildRequest(device::Command::kReadLighting, 56, 0, data),
                       device::BuildRequest(device::Command::kReadKeyColours, 56, 0, data)}) {
    EXPECT_EQ((*firmware.Handle(request))[7], 0xFF) << int{request[3]};
  }
  auto with_status = device::BuildRequest(device::Command::kBegin, 0, 0);
  with_status[7] = 1;
  device::SealReport(with_status);
  EXPECT_EQ((*firmware.Handle(with_status))[7], 0xFF);
  EXPECT_EQ((*firmware.Handle(device::BuildRequest(device::Command::kBegin, 0, 0)))[7], 0);

  auto bad_checksum = device::BuildRequest(device::Command::kBegin, 0, 0);
  bad_checksum[1] ^= 1;
  EXPECT_EQ((*firmware.Handle(bad_checksum))[7], 0xFF);
  auto bad_id = device::BuildRequest(device::Command::kBegin, 0, 0);
  bad_id[0] = 3;
  EXPECT_EQ((*firmware.Handle(bad_id))[7], 0xFF);
  EXPECT_EQ((*firmware.Handle(device::BuildRequest(device::Command::kWriteKeyMap, 56, 1500)))[7],
            0xFF);  // past the three blocks
  EXPECT_EQ((*firmware.Handle(device::BuildRequest(device::Command::kWriteMacros, 56, 12800)))[7],
            0xFF);  // past the macro space
  EXPECT_EQ((*firmware.Handle(device::BuildRequest(device::Command::kWriteLighting, 2, 125)))[7],
            0xFF);
  EXPECT_EQ((*firmware.Handle(device::BuildRequest(static_cast<device::Command>(11), 0, 0)))[7],
            0xFF);
  // Reads near the end of the lighting area answer zeros past it.
  const auto tail = *firmware.Handle(device::BuildRequest(device::Command::kReadLighting, 56, 84));
  EXPECT_EQ(tail[7], 0);
  EXPECT_EQ(tail[8], 0x05);  // effect of profile 2's factory record
  EXPECT_EQ(tail[8 + 55], 0);
}

TEST(FirmwareTest, StateFileRoundTripAndDamagedFiles) {
  Firmware firmware;
  firmware.Edit([](FirmwareMemory& m) {
    m.key_maps[700] = 0x42;
    m.macros[12799] = 0x99;
    m.settings.SetActiveProfile(2);
  });
  const std::string path = ::testing::TempDir() + "vkb_state_test.bin";
  ASSERT_TRUE(SaveStateFile(path, firmware.Snapshot()));
  const auto load = LoadStateFile(path);
  ASSERT_EQ(load.status, StateFileStatus::kLoaded);
  const auto& loaded = load.memory;
  EXPECT_EQ(loaded->key_maps[700], 0x42);
  EXPECT_EQ(loaded->macros[12799], 0x99);
  EXPECT_EQ(loaded->settings.ActiveProfile(), 2);

  // A cut file, a longer one and a missing one.
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite("TVKB\1\0\0\0abc", 1, 11, f);
  std::fclose(f);
  EXPECT_EQ(LoadStateFile(path).status, StateFileStatus::kDamaged);
  ASSERT_TRUE(SaveStateFile(path, firmware.Snapshot()));
  f = std::fopen(path.c_str(), "ab");
  std::fputc(0, f);
  std::fclose(f);
  EXPECT_EQ(LoadStateFile(path).status, StateFileStatus::kDamaged);
  EXPECT_EQ(LoadStateFile(path + ".missing").status, StateFileStatus::kMissing);
  std::remove(path.c_str());

  const std::string json = MemoryToJson(firmware.Snapshot());
  EXPECT_NE(json.find("\"active_profile\": 2"), std::string::npos);
  EXPECT_NE(json.find("\"effect_list\": [1, 2, 3"), std::string::npos);
}

class VirtualKeyboardEndToEnd : public VirtualKeyboardTest {};

TEST_F(VirtualKeyboardEndToEnd, BlocksWrittenAreReadBackAndLogged) {
  std::array<std::uint8_t, 512> block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_EQ(device::Begin(channel()), 1);
  ASSERT_EQ(device::WriteKeyMap(channel(), 1, block.data()), 1);
  ASSERT_EQ(device::End(channel()), 1);
  std::array<std::uint8_t, 512> back{};
  ASSERT_EQ(device::ReadKeyMap(channel(), 1, back.data()), 1);
  EXPECT_EQ(back, block);
  const auto memory = vkb().firmware().Snapshot();
  EXPECT_TRUE(std::equal(block.begin(), block.end(), memory.key_maps.begin() + 512));
  const auto requests = vkb().traffic().Requests();
  ASSERT_EQ(requests.size(), 1u + 10u + 1u + 10u);
  EXPECT_EQ(requests.front()[3], 1);
  EXPECT_EQ(requests[11][3], 2);

  device::SettingsBlock settings;
  ASSERT_EQ(device::ReadSettings(channel(), settings), 1);
  EXPECT_EQ(settings.MacroSpaceBytes(), 12800u);
  EXPECT_EQ(settings.EffectList()[28], 254);
  settings.SetActiveProfile(1);
  ASSERT_EQ(device::WriteSettings(channel(), settings), 1);
  EXPECT_EQ(vkb().firmware().Snapshot().settings.ActiveProfile(), 1);
}

TEST_F(VirtualKeyboardEndToEnd, FaultsAndUnplugAreSeenByTheProgram) {
  FaultPlan plan;
  plan.busy_replies = 1;
  vkb().firmware().SetFaults(plan);
  EXPECT_EQ(device::Begin(channel()), 1);  // retried once, then accepted
  EXPECT_EQ(vkb().traffic().Requests().size(), 2u);
  plan = FaultPlan{};
  plan.refused_replies = 3;
  vkb().firmware().SetFaults(plan);
  EXPECT_EQ(device::Begin(channel()), -102);

  std::atomic<int> last_count{-1};
  std::atomic<int> last_code{0};
  channel().SetAttachHook([&](int n) { last_count = n; });
  channel().SetEventHook([&](std::uint16_t code) { last_code = code; });
  vkb().Unplug();
  vkb().Drain();
  EXPECT_EQ(last_count, 0);
  EXPECT_EQ(channel().DeviceCount(), 0);
  EXPECT_EQ(device::Begin(channel()), 0);
  vkb().Plug();
  vkb().SendEvent(0x0401);
  vkb().Drain();
  EXPECT_EQ(last_count, 1);
  EXPECT_EQ(last_code, 0x0401);
  channel().SetAttachHook(nullptr);
  channel().SetEventHook(nullptr);
}

TEST_F(VirtualKeyboardEndToEnd, ConcurrentCallersNeverShareTheReplySlot) {
  std::atomic<int> failures{0};
  auto worker = [&](int block) {
    std::array<std::uint8_t, 512> data{};
    data.fill(static_cast<std::uint8_t>(block + 1));
    for (int round = 0; round < 5; ++round) {
      if (device::WriteKeyMap(channel(), block, data.data()) != 1) ++failures;
      std::array<std::uint8_t, 512> back{};
      if (device::ReadKeyMap(channel(), block, back.data()) != 1 || back != data) ++failures;
    }
  };
  std::thread a(worker, 0), b(worker, 1), c(worker, 2);
  a.join();
  b.join();
  c.join();
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace tarvolin::vkb

namespace tarvolin::vkb {
namespace {

TEST(StateFileTest, ReadersAlwaysFindTheFileWholeWhileItIsRewritten) {
  const std::string path = ::testing::TempDir() + "vkb_state_atomic.bin";
  FirmwareMemory a;
  FirmwareMemory b;
  a.key_maps.fill(0xA1);
  b.key_maps.fill(0xB2);
  ASSERT_TRUE(SaveStateFile(path, a));
  std::atomic<bool> stop{false};
  std::atomic<int> saves{0};
  std::thread writer([&] {
    while (!stop) {
      if (SaveStateFile(path, saves % 2 ? a : b)) ++saves;
    }
  });
  int whole = 0;
  std::map<StateFileStatus, int> seen;
  for (int i = 0; i < 1000; ++i) {
    const auto load = LoadStateFile(path);
    ++seen[load.status];
    if (load.status == StateFileStatus::kLoaded &&
        (load.memory->key_maps[0] == 0xA1 || load.memory->key_maps[0] == 0xB2) &&
        load.memory->key_maps.back() == load.memory->key_maps[0]) {
      ++whole;
    }
  }
  stop = true;
  writer.join();
  EXPECT_EQ(whole, 1000) << "missing " << seen[StateFileStatus::kMissing] << ", unreadable "
                         << seen[StateFileStatus::kUnreadable] << ", damaged "
                         << seen[StateFileStatus::kDamaged];
  EXPECT_GT(saves, 1);
  // Nothing is left beside it but the file itself.
  int beside = 0;
  for (const auto& entry : std::filesystem::directory_iterator(::testing::TempDir())) {
    if (entry.path().filename().string().rfind("vkb_state_atomic.bin", 0) == 0) ++beside;
  }
  EXPECT_EQ(beside, 1);
  std::remove(path.c_str());
}

TEST(StateFileTest, ADamagedFileIsReportedAndKeptAside) {
  const std::string path = ::testing::TempDir() + "vkb_state_damaged.bin";
  std::remove((path + ".damaged").c_str());
  const std::string damaged("TVKB\1\0\0\0 not a whole keyboard", 29);
  {
    std::ofstream file(path, std::ios::binary);
    file << damaged;
  }
  KeyboardDevice keyboard;
  keyboard.firmware().Edit([](FirmwareMemory& m) { m.settings.SetActiveProfile(2); });
  const std::string notice = UseStateFile(keyboard, path);
  EXPECT_NE(notice.find("damaged"), std::string::npos);
  EXPECT_NE(notice.find(path + ".damaged"), std::string::npos);
  EXPECT_EQ(LoadStateFile(path + ".damaged").status, StateFileStatus::kDamaged);
  EXPECT_FALSE(std::filesystem::exists(path));
  // The next write saves a new file; the damaged one stays as it was.
  keyboard.Answer(device::BuildRequest(device::Command::kEnd, 0, 0));
  EXPECT_EQ(LoadStateFile(path).status, StateFileStatus::kLoaded);
  std::ifstream kept(path + ".damaged", std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, damaged);

  // A missing file is factory state without a word; a good one is loaded.
  KeyboardDevice second;
  EXPECT_EQ(UseStateFile(second, path), "");
  EXPECT_EQ(UseStateFile(second, path + ".none"), "");
  std::remove(path.c_str());
  std::remove((path + ".damaged").c_str());
}

}  // namespace
}  // namespace tarvolin::vkb
