#include <gtest/gtest.h>

#include <cstring>

#include "device/attachment/device_events.h"
#include "tests/attachment/fake_main_window.h"
#include "tests/support/fake_hid_library.h"
#include "tests/support/recording_prompter.h"

namespace tarvolin::attachment {
namespace {

using Calls = std::vector<std::string>;

// Every status write as the library saw it.
struct StatusWriteSeen {
  device::DeviceSelector selector;
  std::uint32_t context;
  std::vector<std::uint8_t> bytes;
  std::uint32_t cancelled_before;  // the last unit cancelled before this write
};
std::vector<StatusWriteSeen>* g_status_writes = nullptr;
testing::FakeHidLibrary* g_library = nullptr;

int RecordStatusWrite(const device::DeviceSelector* selector, device::InputCallback,
                      std::uint32_t context, const std::uint8_t* data, int length,
                      std::uint32_t* unit) {
  const auto& deleted = g_library->deleted_units;
  g_status_writes->push_back({*selector, context, std::vector<std::uint8_t>(data, data + length),
                              deleted.empty() ? 0 : deleted.back()});
  *unit = g_library->next_unit++;
  return 1;
}

class KeyboardEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_status_writes = &status_writes_;
    g_library = &library_;
    device::HidLibraryApi api = library_.Api();
    api.RequestStatusWrite = &RecordStatusWrite;
    ASSERT_TRUE(channel_.Bind(api));
    channel_.Subscribe();
    events_.Connect();
  }
  void TearDown() override {
    events_.WaitUntilIdle();
    g_status_writes = nullptr;
    g_library = nullptr;
  }

  void Send(std::uint16_t code) {
    library_.DeliverConsumerCode(code);
    events_.WaitUntilIdle();
  }

  testing::FakeHidLibrary library_;
  testing::FakeClock clock_;
  device::DeviceChannel channel_{clock_, std::make_unique<testing::InstantEvent>()};
  std::vector<StatusWriteSeen> status_writes_;
  testing::FakeMainWindow window_;
  testing::RecordingPrompter prompter_;
  AppState app_state_;
  model::DefaultKeyMap default_key_map_;
  BankStatus bank_;
  DeviceEvents events_{DeviceEventsContext{channel_, window_, prompter_, GlobalLanguageTable(),
                                           app_state_, default_key_map_, bank_, clock_}};
};

bool SameSelector(const device::DeviceSelector& a, const device::DeviceSelector& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(KeyboardEventsTest, TwoBankSwitchesWriteBankBThenBankAToTheIndicatorInterface) {
  Send(kEventBankSwitched);
  EXPECT_EQ(bank_.BankBit(), 1);
  EXPECT_EQ(window_.Calls(), Calls{"bank"});
  EXPECT_EQ(window_.last_captions,
            (GKeyCaptions{u"B1", u"B2", u"B3", u"B4", u"B5", u"", u"", u"", u""}));
  using enum SkinPicture;
  EXPECT_EQ(window_.last_pictures, (BankIndicatorPictures{kOver, kOver, kOver, kOver, kNormal}));

  Send(kEventBankSwitched);
  EXPECT_EQ(bank_.BankBit(), 0);
  EXPECT_EQ(window_.Calls(), (Calls{"bank", "bank"}));
  EXPECT_EQ(window_.last_captions,
            (GKeyCaptions{u"A1", u"A2", u"A3", u"A4", u"A5", u"", u"", u"", u""}));
  EXPECT_EQ(window_.last_pictures,
            (BankIndicatorPictures{kNormal, kNormal, kNormal, kNormal, kOver}));

  ASSERT_EQ(status_writes_.size(), 2u);
  EXPECT_EQ(status_writes_[0].bytes, (std::vector<std::uint8_t>{0x05, 0x03}));
  EXPECT_EQ(status_writes_[1].bytes, (std::vector<std::uint8_t>{0x05, 0x02}));
  for (const auto& write : status_writes_) {
    EXPECT_TRUE(SameSelector(write.selector, device::kIndicatorSelector));
    EXPECT_EQ(write.context, 0x004C4544u);
  }
  // Each write first cancels the one before it (0 before the first).
  EXPECT_EQ(status_writes_[0].cancelled_before, 0u);
  EXPECT_NE(status_writes_[1].cancelled_before, 0u);
  EXPECT_EQ(library_.deleted_units.back(), library_.next_unit - 2);
}

TEST_F(KeyboardEventsTest, MacroPlayShowsIconAndStopRestoresPresenceInArrivalOrder) {
  Send(kEventMacroPlaying);
  Send(kEventMacroStopped);
  // A stop with no play before it sets the presence icon again.
  Send(kEventMacroStopped);
  EXPECT_EQ(window_.Calls(), (Calls{"icon 142", "icon 128", "icon 128"}));

  // A burst: each event's icon follows in the order the keyboard sent them.
  window_.ClearCalls();
  for (int i = 0; i < 10; ++i) {
    library_.DeliverConsumerCode(i % 2 == 0 ? kEventMacroPlaying : kEventMacroStopped);
  }
  events_.WaitUntilIdle();
  Calls expected;
  for (int i = 0; i < 10; ++i) expected.push_back(i % 2 == 0 ? "icon 142" : "icon 128");
  EXPECT_EQ(window_.Calls(), expected);
}

TEST_F(KeyboardEventsTest, LightingChangeStartsTheTimerAndOtherCodesDoNothing) {
  Send(kEventLightingChanged);
  EXPECT_EQ(window_.Calls(), Calls{"timer"});
  window_.ClearCalls();
  for (int code : {0x1801, 0x1802, 0x1803, 0x1804, 0x0000, 0x02FE, 0x1812, 0xFFFF}) {
    Send(static_cast<std::uint16_t>(code));
  }
  EXPECT_TRUE(window_.Calls().empty());
  EXPECT_TRUE(status_writes_.empty());
  EXPECT_EQ(bank_.BankBit(), 0);
  EXPECT_TRUE(library_.written.empty());
}

TEST_F(KeyboardEventsTest, EventsAfterTheGateClosedAreDropped) {
  events_.CloseGate();
  Send(kEventBankSwitched);
  Send(kEventLightingChanged);
  Send(kEventMacroPlaying);
  library_.DeliverDeviceCount(0);
  events_.WaitUntilIdle();
  EXPECT_TRUE(window_.Calls().empty());
  EXPECT_TRUE(status_writes_.empty());
  EXPECT_EQ(bank_.Get(), (BankStatus::Bytes{0x05, 0x02}));
}

}  // namespace
}  // namespace tarvolin::attachment
