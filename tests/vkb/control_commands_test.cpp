#include "vkb/control_commands.h"

#include <gtest/gtest.h>

#include "vkb/virtual_hid_library.h"

namespace tarvolin::vkb {
namespace {

class ControlCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { library().Reset(); }
  void TearDown() override { library().Reset(); }
  static VirtualHidLibrary& library() { return VirtualHidLibrary::Instance(); }
  static std::string Run(const std::string& line) {
    return RunControlCommand(library().keyboard(), line);
  }
};

TEST_F(ControlCommandsTest, MemoryCommandsChangeTheFirmware) {
  EXPECT_EQ(Run("effects 5,0,7,254"), "ok");
  const FirmwareMemory memory = library().firmware().Snapshot();
  const auto effects = memory.settings.EffectList();
  EXPECT_EQ(effects[0], 5);
  EXPECT_EQ(effects[1], 0);
  EXPECT_EQ(effects[3], 254);
  EXPECT_EQ(effects[4], 0);  // the rest of the list is cleared
  EXPECT_EQ(Run("macro-space 0x10"), "ok");
  EXPECT_EQ(library().firmware().Snapshot().settings.MacroSpaceBytes(), 16u * 128u);
  EXPECT_EQ(Run("active-profile 2"), "ok");
  EXPECT_EQ(library().firmware().Snapshot().settings.ActiveProfile(), 2);
  EXPECT_NE(Run("dump").find("\"macro_space_units\": 16"), std::string::npos);
  EXPECT_EQ(Run("reset"), "ok");
  EXPECT_EQ(library().firmware().Snapshot().settings.ActiveProfile(), 0);
}

TEST_F(ControlCommandsTest, FaultsAndLiveCommands) {
  EXPECT_EQ(Run("fault busy 2"), "ok");
  EXPECT_EQ(Run("fault drop 1"), "ok");
  EXPECT_EQ(Run("latency 8"), "ok");
  const FaultPlan plan = library().firmware().Faults();
  EXPECT_EQ(plan.busy_replies, 2);
  EXPECT_EQ(plan.drop_replies, 1);
  EXPECT_EQ(plan.latency_ms, 8u);
  EXPECT_EQ(Run("faults-clear"), "ok");
  EXPECT_EQ(library().firmware().Faults().busy_replies, 0);
  EXPECT_EQ(Run("unplug"), "ok");
  EXPECT_FALSE(library().plugged());
  EXPECT_NE(Run("status").find("plugged 0"), std::string::npos);
  EXPECT_EQ(Run("plug"), "ok");
  EXPECT_EQ(Run("product-id 0x1234"), "ok");
  EXPECT_EQ(library().product_id(), 0x1234);
  library().Drain();
}

TEST_F(ControlCommandsTest, BadInputIsRefusedAndChangesNothing) {
  for (const char* line : {"", "effects 1,300", "effects 1,,2", "macro-space 256", "macro-space -1",
                           "active-profile 3", "fault sideways 1", "fault busy x", "event 0x10000",
                           "latency 99999", "plug now", "launch", "effects " /* no list */}) {
    EXPECT_EQ(Run(line).rfind("error:", 0), 0u) << line;
  }
  EXPECT_EQ(Run("effects 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,"
                "28,29,30,31,32,33")
                .rfind("error:", 0),
            0u);
  const auto memory = library().firmware().Snapshot();
  EXPECT_EQ(memory.settings.MacroSpaceBytes(), 12800u);
  EXPECT_EQ(memory.settings.EffectList()[28], 254);
}

}  // namespace
}  // namespace tarvolin::vkb
