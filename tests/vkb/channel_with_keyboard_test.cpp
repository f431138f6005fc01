// The channel against the in-process keyboard on real threads: late replies, stray reports,
// overlapping callers, and what the library delivers to each subscription.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "device/commands.h"
#include "tests/support/quick_time.h"
#include "tests/support/virtual_keyboard_fixture.h"

namespace tarvolin::vkb {
namespace {

using testing::QuickClock;
using testing::QuickTimeoutEvent;

class ChannelWithKeyboard : public testing::VirtualKeyboardTest {
 protected:
  // A channel of its own whose back-off and pauses are 500 times shorter, and whose reply
  // time-out is real (`quick_timeout` false) or 500 times shorter too.
  device::DeviceChannel& QuickChannel(bool quick_timeout) {
    std::unique_ptr<device::CompletionEvent> event;
    if (quick_timeout) event = std::make_unique<QuickTimeoutEvent>(500);
    // One reader per keyboard, as in the program: with the fixture's channel still
    // subscribed every reply would arrive twice, and the copy could land in the next
    // caller's attempt as a foreign reply.
    VirtualHidLibrary::Api().DeleteRequestFromUnitId(channel().control_subscription());
    quick_ = std::make_unique<device::DeviceChannel>(clock_, std::move(event));
    EXPECT_TRUE(quick_->Bind(VirtualHidLibrary::Api()));
    quick_->Subscribe();
    vkb().Drain();
    return *quick_;
  }
  void TearDown() override {
    vkb().firmware().SetFaults(FaultPlan{});
    vkb().Drain();
    quick_.reset();
  }
  void SetLatency(std::uint32_t ms) {
    FaultPlan plan;
    plan.latency_ms = ms;
    vkb().firmware().SetFaults(plan);
  }

  QuickClock clock_{500};
  std::unique_ptr<device::DeviceChannel> quick_;
};

TEST_F(ChannelWithKeyboard, AKeyboardSlowerThanTheTimeOutNeverYieldsWrongData) {
  std::array<std::uint8_t, 512> written{};
  for (std::size_t i = 0; i < written.size(); ++i) written[i] = static_cast<std::uint8_t>(i * 13);
  vkb().firmware().Edit([&](FirmwareMemory& m) {
    std::copy(written.begin(), written.end(), m.key_maps.begin() + 512);
  });
  auto& channel = QuickChannel(true);
  SetLatency(3);  // 1500 ms in the channel's time: every reply comes after its attempt's wait
  int read = 0;
  for (int round = 0; round < 8; ++round) {
    std::array<std::uint8_t, 512> back{};
    const int result = device::ReadKeyMap(channel, 1, back.data());
    ASSERT_TRUE(result == 1 || result == -2) << result;
    if (result == 1) {
      ++read;
      EXPECT_EQ(back, written) << "round " << round;
    }
  }
  RecordProperty("whole_reads", read);
}

TEST_F(ChannelWithKeyboard, ALatencyHoldsEveryReplyAtLeastThatLong) {
  SetLatency(2);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) ASSERT_EQ(device::Begin(channel()), 1);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10));
}

TEST_F(ChannelWithKeyboard, OverlappingCallersEachGetTheirOwnReplies) {
  // The keyboard is slower than the channel's back-off (instant here), so only whole
  // transactions taking turns keep callers apart; 1000 transactions in a row.
  auto& channel = QuickChannel(false);
  SetLatency(1);
  std::atomic<int> refused_writes{0}, failed_reads{0}, wrong_reads{0};
  std::atomic<int> done{0};
  auto worker = [&](int block) {
    std::array<std::uint8_t, 56> mine{};
    mine.fill(static_cast<std::uint8_t>(0x10 + block));
    while (done.fetch_add(2) < 1000) {
      const auto address = static_cast<std::uint16_t>(block * 42);
      if (device::WriteLighting(channel, mine.data(), 14, address) != 1) ++refused_writes;
      std::array<std::uint8_t, 56> back{};
      if (device::ReadLighting(channel, back.data(), 14, address) != 1) {
        ++failed_reads;
      } else if (!std::equal(back.begin(), back.begin() + 14, mine.begin())) {
        ++wrong_reads;
      }
    }
  };
  std::thread a(worker, 0), b(worker, 1), c(worker, 2);
  a.join();
  b.join();
  c.join();
  EXPECT_EQ(refused_writes, 0);
  EXPECT_EQ(failed_reads, 0);
  EXPECT_EQ(wrong_reads, 0);
  EXPECT_GE(vkb().traffic().Requests().size(), 1000u);
  RecordProperty("requests", static_cast<int>(vkb().traffic().Requests().size()));
}

TEST_F(ChannelWithKeyboard, AStrayReportAfterTheReplyIsNotTaken) {
  auto& channel = QuickChannel(false);
  FaultPlan plan;
  plan.stray_reports = 200;
  vkb().firmware().SetFaults(plan);
  for (int i = 0; i < 200; ++i) {
    std::array<std::uint8_t, 56> lighting{};
    ASSERT_EQ(device::ReadLighting(channel, lighting.data(), 42, 0), 1) << i;
    EXPECT_EQ(lighting[0], FactoryLightingRecord()[0]);
  }
}

// Records what one raw subscription receives.
struct Heard {
  static inline std::atomic<int> count_changes{0};
  static inline std::atomic<int> last_count{-1};
  static int Callback(void* event_record) {
    const auto kind = device::ReadField<std::uint32_t>(event_record, device::kEventKindOffset);
    const auto* subscription =
        device::ReadField<const std::uint8_t*>(event_record, device::kEventSubscriptionOffset);
    if (kind == device::kEventDeviceCountChanged &&
        device::ReadField<std::uint32_t>(subscription, device::kSubscriptionContextOffset) ==
            device::kContextConsumer) {
      ++count_changes;
      last_count = static_cast<int>(
          device::ReadField<std::uint32_t>(subscription, device::kSubscriptionCountOffset));
    }
    return 1;
  }
};

TEST_F(ChannelWithKeyboard, CountChangesReachTheConsumerSubscriptionAndStatusWritesAreChecked) {
  const auto api = VirtualHidLibrary::Api();
  std::uint32_t unit = 0;
  ASSERT_EQ(api.RequestAsyncRead(&device::kConsumerSelector, &Heard::Callback,
                                 device::kContextConsumer, &unit),
            1);
  std::atomic<int> attached{-1};
  channel().SetAttachHook([&](int n) { attached = n; });
  vkb().Unplug();
  vkb().Drain();
  EXPECT_EQ(Heard::count_changes, 1);
  EXPECT_EQ(Heard::last_count, 0);
  EXPECT_EQ(attached, 0);
  vkb().Plug();
  vkb().Drain();
  EXPECT_EQ(Heard::last_count, 1);
  channel().SetAttachHook(nullptr);
  api.DeleteRequestFromUnitId(unit);

  // The indicator interface with the LED context only.
  const std::uint8_t bank_b[2] = {0x05, 0x03};
  std::uint32_t status_unit = 0;
  EXPECT_EQ(api.RequestStatusWrite(&device::kControlSelector, &Heard::Callback,
                                   device::kContextIndicator, bank_b, 2, &status_unit),
            0);
  EXPECT_EQ(api.RequestStatusWrite(&device::kIndicatorSelector, &Heard::Callback,
                                   device::kContextControl, bank_b, 2, &status_unit),
            0);
  EXPECT_EQ(api.RequestStatusWrite(&device::kIndicatorSelector, &Heard::Callback,
                                   device::kContextIndicator, bank_b, 1, &status_unit),
            0);
  EXPECT_TRUE(vkb().LastStatusBytes().empty());
  channel().StatusWrite(bank_b);
  EXPECT_EQ(vkb().LastStatusBytes(), (std::vector<std::uint8_t>{0x05, 0x03}));
}

}  // namespace
}  // namespace tarvolin::vkb
