#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "device/attachment/device_events.h"
#include "tests/attachment/fake_main_window.h"
#include "tests/support/recording_prompter.h"
#include "tests/support/virtual_keyboard_fixture.h"

namespace tarvolin::attachment {
namespace {

using Calls = std::vector<std::string>;

class AttachHandlerTest : public testing::VirtualKeyboardTest {
 protected:
  void SetUp() override {
    VirtualKeyboardTest::SetUp();
    events_.Connect();
  }
  void TearDown() override {
    events_.WaitUntilIdle();
    VirtualKeyboardTest::TearDown();
  }

  // One run as the main window's start-up makes it, waited for.
  void StartUpRun(int count) {
    events_.StartAttachRun(count);
    events_.WaitUntilIdle();
  }

  testing::FakeMainWindow window_;
  testing::RecordingPrompter prompter_;
  AppState app_state_;
  model::DefaultKeyMap default_key_map_;
  BankStatus bank_;
  DeviceEvents events_{DeviceEventsContext{channel(), window_, prompter_, GlobalLanguageTable(),
                                           app_state_, default_key_map_, bank_}};
};

TEST_F(AttachHandlerTest, StartUpWithKeyboardReadsLayoutAndShowsWindowOnce) {
  vkb().firmware().Edit([](vkb::FirmwareMemory& m) { m.settings.bytes[11] = 40; });
  window_.tray_ready = false;
  events_.StartAttachRun(1);
  // The run waits for the tray icon: the reload has happened, the icon not yet.
  while (window_.tray_polls.load() < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(window_.Calls(), Calls{"reload"});
  EXPECT_EQ(app_state_.keyboard_attached.load(), 0);
  window_.tray_ready = true;
  events_.WaitUntilIdle();

  EXPECT_EQ(window_.Calls(), (Calls{"reload", "icon 141", "open"}));
  EXPECT_TRUE(default_key_map_.IsRead());
  EXPECT_EQ(default_key_map_.Get(), vkb().firmware().Snapshot().default_layout);
  EXPECT_EQ(app_state_.macro_space.load(), 40u * 128u);
  EXPECT_EQ(app_state_.keyboard_attached.load(), 1);
  EXPECT_EQ(app_state_.auto_show_done.load(), 1);
  EXPECT_EQ(events_.PresenceIcon(), kIconKeyboardAttached);
  EXPECT_TRUE(prompter_.messages.empty());
  // Neither read is framed by Begin/End.
  for (const auto& request : vkb().traffic().Requests()) {
    EXPECT_NE(request[device::kOffsetCommand], 1);
    EXPECT_NE(request[device::kOffsetCommand], 2);
  }

  // The same count again: nothing at all, not even the tray.
  window_.ClearCalls();
  vkb().traffic().Clear();
  StartUpRun(1);
  EXPECT_TRUE(window_.Calls().empty());
  EXPECT_TRUE(vkb().traffic().Requests().empty());
}

TEST_F(AttachHandlerTest, UnplugHidesAndReplugReloadsWithoutShowing) {
  StartUpRun(1);
  app_state_.cached_profile = 2;
  window_.ClearCalls();

  vkb().Unplug();
  vkb().Drain();
  events_.WaitUntilIdle();
  EXPECT_EQ(window_.Calls(), (Calls{"hide", "icon 128"}));
  EXPECT_EQ(app_state_.cached_profile.load(), -1);
  EXPECT_EQ(app_state_.keyboard_attached.load(), 0);

  window_.ClearCalls();
  vkb().Plug();
  vkb().Drain();
  events_.WaitUntilIdle();
  EXPECT_EQ(window_.Calls(), (Calls{"reload", "icon 141"}));
}

TEST_F(AttachHandlerTest, StartUpWithoutKeyboardEndsAtOnceAndLaterPlugDoesNotShow) {
  vkb().Unplug();
  vkb().Drain();
  // The window's start-up marks the first show as done when it found no keyboard.
  app_state_.auto_show_done = 1;
  StartUpRun(0);
  EXPECT_TRUE(window_.Calls().empty());

  vkb().Plug();
  vkb().Drain();
  events_.WaitUntilIdle();
  EXPECT_EQ(window_.Calls(), (Calls{"reload", "icon 141"}));
  EXPECT_TRUE(default_key_map_.IsRead());
}

TEST_F(AttachHandlerTest, FastUnplugAndReplugAreHandledInTheOrderReported) {
  StartUpRun(1);
  window_.ClearCalls();
  // The unplug's run is slow; the notices after it come while it runs. The replug's run
  // must still come after it, and the newest count wins.
  std::atomic<bool> hiding{false};
  window_.on_hide = [&] {
    hiding = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  };
  vkb().Unplug();
  while (!hiding) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  vkb().Plug();
  vkb().Unplug();
  vkb().Plug();
  vkb().Drain();
  events_.WaitUntilIdle();
  // The runs of the first replug and the second unplug are passed over for the newest.
  EXPECT_EQ(window_.Calls(), (Calls{"hide", "icon 128", "reload", "icon 141"}));
  EXPECT_EQ(app_state_.keyboard_attached.load(), 1);
  EXPECT_EQ(events_.PresenceIcon(), kIconKeyboardAttached);

  // The same while the keyboard counts as attached: a run for a plug holds the queue while
  // an unplug and a plug come. The unplug passed over still hides, and the keyboard that
  // came back is read again.
  vkb().Unplug();
  vkb().Drain();
  events_.WaitUntilIdle();
  window_.on_hide = nullptr;
  std::atomic<bool> reloading{false};
  std::atomic<bool> release{false};
  window_.on_reload = [&] {
    reloading = true;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  window_.ClearCalls();
  vkb().Plug();
  while (!reloading) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  window_.on_reload = nullptr;
  vkb().Unplug();
  vkb().Plug();
  vkb().Drain();
  vkb().traffic().Clear();
  release = true;
  events_.WaitUntilIdle();
  EXPECT_EQ(window_.Calls(), (Calls{"reload", "icon 141", "hide", "reload", "icon 141"}));
  EXPECT_FALSE(vkb().traffic().Requests().empty());
  EXPECT_EQ(app_state_.keyboard_attached.load(), 1);
}

TEST_F(AttachHandlerTest, PlugStormReadsOnlyTheKeyboardThatStayedAndAsksNothing) {
  StartUpRun(1);
  window_.ClearCalls();
  // The first unplug's run holds the queue until every notice of the storm is in.
  std::atomic<bool> hiding{false};
  std::atomic<bool> storm_over{false};
  window_.on_hide = [&] {
    hiding = true;
    while (!storm_over) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  vkb().Unplug();
  while (!hiding) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  for (int i = 0; i < 50; ++i) {
    vkb().Plug();
    vkb().Unplug();
  }
  vkb().Plug();
  vkb().Drain();
  vkb().traffic().Clear();
  storm_over = true;
  events_.WaitUntilIdle();

  // Only the newest notice's run read the keyboard: one layout read, one reload.
  EXPECT_EQ(window_.Calls(), (Calls{"hide", "icon 128", "reload", "icon 141"}));
  EXPECT_TRUE(prompter_.messages.empty());
  int layout_reads = 0;
  for (const auto& request : vkb().traffic().Requests()) {
    if (request[device::kOffsetCommand] == 15 && request[device::kOffsetAddress] == 0 &&
        request[device::kOffsetAddress + 1] == 0) {
      ++layout_reads;
    }
  }
  EXPECT_EQ(layout_reads, 1);
  EXPECT_EQ(app_state_.keyboard_attached.load(), 1);

  // Unplugged in the middle of the layout read: no message about a keyboard the user pulled,
  // no reload, and the unplug's run hides the window.
  window_.on_hide = nullptr;
  vkb().Unplug();
  vkb().Drain();
  events_.WaitUntilIdle();
  vkb().keyboard().SetAfterRequestHook([this](std::uint8_t command) {
    if (command == 15) vkb().keyboard().Unplug();
  });
  window_.ClearCalls();
  vkb().Plug();
  vkb().Drain();
  events_.WaitUntilIdle();
  // The unplug came from inside the plug's run: its own run is queued only now.
  vkb().Drain();
  events_.WaitUntilIdle();
  vkb().keyboard().SetAfterRequestHook(nullptr);
  EXPECT_EQ(window_.Calls(), (Calls{"icon 141", "hide", "icon 128"}));
  EXPECT_TRUE(prompter_.messages.empty());
  EXPECT_EQ(app_state_.keyboard_attached.load(), 0);
}

TEST_F(AttachHandlerTest, FailedLayoutReadTellsTheUserAndKeepsTheOldLayout) {
  model::KeyMapBlock earlier{};
  earlier[0] = 0x42;
  default_key_map_.Set(earlier);
  // Every reply refused: the layout and the settings reads both fail.
  vkb().firmware().SetFaults({.refused_replies = 1000});
  app_state_.macro_space = 640;
  StartUpRun(1);
  vkb().firmware().SetFaults({});

  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0], u"Reads the default keyboard layout failure");
  EXPECT_EQ(default_key_map_.Get(), earlier);
  EXPECT_EQ(app_state_.macro_space.load(), 640u);
  // The reload is asked for all the same.
  EXPECT_EQ(window_.Calls(), (Calls{"reload", "icon 141", "open"}));
}

TEST_F(AttachHandlerTest, ClosedGateDropsRunsAndWaitsForTheCallInside) {
  StartUpRun(1);
  window_.ClearCalls();
  // The reload is a sent message the closing thread must handle itself: it waits for a
  // step of the closing thread's pump.
  std::atomic<bool> pumped{false};
  std::atomic<bool> reload_entered{false};
  window_.on_reload = [&] {
    reload_entered = true;
    while (!pumped) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  vkb().Unplug();
  vkb().Drain();
  events_.WaitUntilIdle();
  vkb().Plug();
  vkb().Drain();
  while (!reload_entered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  events_.CloseGate([&] { pumped = true; });
  const std::size_t after_close = window_.Calls().size();
  // Dropped: the rest of this run, and any later notification.
  vkb().Unplug();
  vkb().Drain();
  events_.WaitUntilIdle();
  EXPECT_EQ(window_.Calls().size(), after_close);
  EXPECT_EQ(window_.Calls(), (Calls{"hide", "icon 128", "reload"}));
}

}  // namespace
}  // namespace tarvolin::attachment
