#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "device/device_channel.h"
#include "device/device_report.h"
#include "tests/support/fake_hid_library.h"

namespace tarvolin::device {
namespace {

using testing::FakeClock;
using testing::FakeHidLibrary;
using testing::InstantEvent;

class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto event = std::make_unique<InstantEvent>();
    event_ = event.get();
    channel_ = std::make_unique<DeviceChannel>(clock_, std::move(event));
    ASSERT_TRUE(channel_->Bind(fake_.Api()));
    channel_->Subscribe();
  }

  int Send(const std::vector<std::uint8_t>& request, std::uint32_t* received) {
    reply_.fill(0xEE);
    return channel_->Transact(request.data(), request.size(), reply_.data(), 64, received);
  }

  FakeHidLibrary fake_;
  FakeClock clock_;
  InstantEvent* event_ = nullptr;
  std::unique_ptr<DeviceChannel> channel_;
  ReportBytes reply_{};
};

TEST_F(ChannelTest, BindNeedsInitAboveZeroAndSubscribesBothInputs) {
  FakeHidLibrary other;  // replaces the fake for this test only
  other.init_result = 0;
  DeviceChannel refused(clock_);
  EXPECT_FALSE(refused.Bind(other.Api()));
  other.init_result = 1;
  DeviceChannel bound(clock_);
  ASSERT_TRUE(bound.Bind(other.Api()));
  bound.Subscribe();
  ASSERT_EQ(other.subscriptions.size(), 2u);
  EXPECT_EQ(other.subscriptions[0].context, kContextConsumer);
  EXPECT_EQ(other.subscriptions[0].selector.usage_page, 0x000C);
  EXPECT_EQ(other.subscriptions[1].context, kContextControl);
  EXPECT_EQ(other.subscriptions[1].selector.usage_page, 0xFF1C);
  EXPECT_EQ(other.subscriptions[1].selector.usage, 0x0092);
  EXPECT_EQ(other.subscriptions[1].selector.match_mask, 15u);
  EXPECT_EQ(other.subscriptions[1].selector.vendor_id, 0x0C45);
  // The previous subscription of each kind (none yet: id 0) is cancelled first.
  EXPECT_EQ(other.deleted_units, (std::vector<std::uint32_t>{0, 0}));
  bound.Subscribe();
  EXPECT_EQ(other.deleted_units, (std::vector<std::uint32_t>{0, 0, 1, 2}));
}

TEST_F(ChannelTest, ShortRequestsArePaddedAndLongOnesCut) {
  fake_.respond = FakeHidLibrary::Echo();
  std::uint32_t received = 0;
  std::vector<std::uint8_t> ten(10, 0x11);
  ten[3] = 5;
  ASSERT_EQ(Send(ten, &received), 1);
  for (std::size_t i = 0; i < 64; ++i) EXPECT_EQ(fake_.written[0][i], i < 10 ? ten[i] : 0) << i;
  std::vector<std::uint8_t> eighty(80);
  for (std::size_t i = 0; i < 80; ++i) eighty[i] = static_cast<std::uint8_t>(i);
  ASSERT_EQ(Send(eighty, &received), 1);
  for (std::size_t i = 0; i < 64; ++i) EXPECT_EQ(fake_.written[1][i], i);
  EXPECT_EQ(received, 64u);
}

TEST_F(ChannelTest, NoKeyboardReturnsZeroAtOnceAndWritesNothing) {
  fake_.device_count = 0;
  std::uint32_t received = 99;
  EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 1), &received), 0);
  EXPECT_EQ(received, 0u);
  EXPECT_TRUE(fake_.written.empty());
  EXPECT_TRUE(clock_.sleeps.empty());
}

TEST_F(ChannelTest, RepliesForAnotherCommandAreNeverAccepted) {
  fake_.respond = [](const ReportBytes& request) {
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    reply[3] = static_cast<std::uint8_t>(reply[3] + 1);
    return std::optional(reply);
  };
  std::uint32_t received = 0;
  EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 3), &received), -2);
  EXPECT_EQ(fake_.written.size(), 3u);
  EXPECT_EQ(clock_.sleeps, (std::vector<std::uint32_t>{10, 10}));
  EXPECT_EQ(event_->waits, (std::vector<std::uint32_t>{1000, 1000, 1000}));
}

TEST_F(ChannelTest, TimeoutsRetryThreeTimesThenGiveMinusTwo) {
  std::uint32_t received = 0;
  EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 3), &received), -2);
  EXPECT_EQ(fake_.written.size(), 3u);
  EXPECT_EQ(clock_.NowMs(), 20u);  // no real waiting: the event is injected
}

TEST_F(ChannelTest, BusyStatusRetriesAndHandsTheLastReplyToTheCaller) {
  fake_.respond = FakeHidLibrary::Echo(0xFE);
  std::uint32_t received = 0;
  EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 4), &received), 1);
  EXPECT_EQ(fake_.written.size(), 3u);
  EXPECT_EQ(reply_[7], 0xFE);
  EXPECT_EQ(received, 64u);
  EXPECT_EQ(clock_.sleeps, (std::vector<std::uint32_t>{10, 10}));  // a pause before each retry

  int calls = 0;
  fake_.written.clear();
  fake_.respond = [&calls](const ReportBytes& request) {
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    reply[7] = calls++ == 0 ? 0xFE : 0x00;
    reply[8] = static_cast<std::uint8_t>(calls);
    return std::optional(reply);
  };
  EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 4), &received), 1);
  EXPECT_EQ(fake_.written.size(), 2u);
  EXPECT_EQ(reply_[7], 0x00);
  EXPECT_EQ(reply_[8], 2);
}

TEST_F(ChannelTest, WriteRefusedAndFailedWait) {
  fake_.write_result = 0;
  std::uint32_t received = 0;
  EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 1), &received), -1);
  fake_.write_result = 64;
  event_->fail_waits = true;
  EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 1), &received), 0);
}

TEST_F(ChannelTest, ReplyLengthIsCutToTheSlotAndStrayInputIsDropped) {
  std::vector<std::uint8_t> request(64, 0);
  request[3] = 7;
  std::vector<std::uint8_t> short_reply(40, 0);
  short_reply[3] = 7;
  fake_.respond = [&](const ReportBytes&) { return std::optional(short_reply); };
  std::uint32_t received = 0;
  ASSERT_EQ(Send(request, &received), 1);
  EXPECT_EQ(received, 40u);

  std::vector<std::uint8_t> long_reply(100, 0x5A);
  std::fill_n(long_reply.begin() + 3, 5, 0);
  long_reply[3] = 7;
  fake_.respond = [&](const ReportBytes&) { return std::optional(long_reply); };
  ASSERT_EQ(Send(request, &received), 1);
  EXPECT_EQ(received, 64u);

  // Input while nobody waits is dropped and does not signal the event.
  fake_.DeliverControlInput(long_reply);
  EXPECT_EQ(event_->Wait(0), WaitResult::kTimeout);
}

// A reply of `length` bytes echoing the request's header, status `status`, payload `fill`.
FakeHidLibrary::Responder Reply(std::size_t length, std::uint8_t status, std::uint8_t fill) {
  return [=](const ReportBytes& request) {
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    std::fill(reply.begin() + 8, reply.end(), fill);
    reply[7] = status;
    reply.resize(length);
    return std::optional(reply);
  };
}

TEST_F(ChannelTest, RepliesShorterThanTheirDataAreNoReplies) {
  std::vector<std::uint8_t> request(64, 0);
  request[3] = 5;
  request[4] = 56;
  std::uint32_t received = 0;
  for (std::size_t length : {4u, 8u, 63u}) {
    fake_.written.clear();
    fake_.respond = Reply(length, 0, 0x33);
    EXPECT_EQ(channel_->Transact(request.data(), 64, reply_.data(), 64, &received, 64), -2)
        << length;
    EXPECT_EQ(received, 0u);
    EXPECT_EQ(fake_.written.size(), 3u);
  }
  // Shorter than the header is never a reply, even where no data is wanted.
  fake_.respond = Reply(7, 0, 0);
  EXPECT_EQ(Send(request, &received), -2);
  fake_.respond = Reply(8, 0, 0);
  EXPECT_EQ(Send(request, &received), 1);
  EXPECT_EQ(received, 8u);

  // A full busy reply carrying data, then a bare header: the second attempt's buffer starts
  // empty, so nothing of the refused reply is handed over as data.
  int calls = 0;
  fake_.respond = [&calls](const ReportBytes& r) {
    return ++calls == 1 ? Reply(64, 0xFE, 0x77)(r) : Reply(8, 0, 0)(r);
  };
  EXPECT_EQ(Send(request, &received), 1);
  EXPECT_EQ(received, 8u);
  for (std::size_t i = 8; i < 64; ++i) EXPECT_EQ(reply_[i], 0) << i;
}

TEST_F(ChannelTest, OnlyRepliesWithTheRequestsHeaderCount) {
  // Each reply arrives one request late, as from a keyboard slower than the time-out: every
  // attempt first sees the reply to the report sent before it.
  std::optional<std::vector<std::uint8_t>> late;
  fake_.respond = [&late](const ReportBytes& request) {
    auto previous = late;
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    reply[8] = request[5];  // the payload says which address it answers
    late = reply;
    return previous;
  };
  std::uint32_t received = 0;
  for (std::uint8_t address : {std::uint8_t{0}, std::uint8_t{56}, std::uint8_t{112}}) {
    std::vector<std::uint8_t> request(64, 0);
    request[3] = 7;
    request[4] = 56;
    request[5] = address;
    ASSERT_EQ(Send(request, &received), 1) << int{address};
    EXPECT_EQ(reply_[8], address);
    EXPECT_EQ(reply_[5], address);
  }
  // Length and address must match too, not just the command.
  for (std::size_t at : {4u, 5u, 6u}) {
    fake_.respond = [at](const ReportBytes& request) {
      std::vector<std::uint8_t> reply(request.begin(), request.end());
      reply[at] ^= 0x10;
      return std::optional(reply);
    };
    EXPECT_EQ(Send(std::vector<std::uint8_t>(64, 3), &received), -2) << at;
  }
}

TEST_F(ChannelTest, TheFirstInputOfAnAttemptIsTheOneTaken) {
  // The keyboard answers, then sends a report for another command before the caller looks.
  fake_.respond = Reply(64, 0, 0x42);
  fake_.after_reply = [this](const ReportBytes& request) {
    std::vector<std::uint8_t> other(request.begin(), request.end());
    other[3] = 9;
    std::fill(other.begin() + 8, other.end(), 0x99);
    fake_.DeliverControlInput(other);
  };
  std::vector<std::uint8_t> request(64, 0);
  request[3] = 5;
  std::uint32_t received = 0;
  ASSERT_EQ(Send(request, &received), 1);
  EXPECT_EQ(reply_[3], 5);
  EXPECT_EQ(reply_[8], 0x42);
  EXPECT_EQ(fake_.written.size(), 1u);
}

TEST_F(ChannelTest, DeviceCountChangesAndEventCodesReachTheirHooks) {
  std::vector<int> counts;
  std::vector<std::uint16_t> codes;
  channel_->SetAttachHook([&](int n) { counts.push_back(n); });
  channel_->SetEventHook([&](std::uint16_t code) { codes.push_back(code); });
  fake_.DeliverDeviceCount(1);
  fake_.DeliverDeviceCount(1);
  // The library tells every subscription; only the control one starts the attach handler.
  fake_.DeliverDeviceCountToAll(0);
  fake_.DeliverConsumerCode(0x02FF);
  fake_.DeliverConsumerCode(0x1811);
  EXPECT_EQ(counts, (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{0x02FF, 0x1811}));
}

TEST_F(ChannelTest, StatusWriteCancelsThePreviousOne) {
  const std::uint8_t bank_b[2] = {0x05, 0x03};
  channel_->StatusWrite(bank_b);
  channel_->StatusWrite(bank_b);
  ASSERT_EQ(fake_.status_writes.size(), 2u);
  EXPECT_EQ(fake_.status_writes[1], (std::vector<std::uint8_t>{0x05, 0x03}));
  // Two subscriptions cancelled (ids 0, 0), then the status id 0, then the first status id.
  ASSERT_EQ(fake_.deleted_units.size(), 4u);
  EXPECT_EQ(fake_.deleted_units[2], 0u);
  EXPECT_EQ(fake_.deleted_units[3], 3u);
}

}  // namespace
}  // namespace tarvolin::device

namespace tarvolin::device {
namespace {

TEST(EntryPointsTest, TheTwelveAreResolvedByNameInTheirOrder) {
  std::vector<std::string> asked;
  HidLibraryApi api;
  static int dummy = 0;
  ASSERT_TRUE(ResolveEntryPoints(api, [&](std::string_view name) -> void* {
    asked.emplace_back(name);
    return &dummy;
  }));
  EXPECT_EQ(asked,
            (std::vector<std::string>{
                "Debug", "Init", "End", "RequestGetDeviceCount", "DeleteRequestFromUnitId",
                "DeleteRequestFromHandle", "RequestWrite", "RequestWriteOne", "RequestStatusWrite",
                "RequestStatusGet", "RequestAsyncRead", "RequestStatusSetFeature"}));
  EXPECT_EQ(reinterpret_cast<void*>(api.RequestStatusSetFeature), &dummy);
  // The first one missing ends the resolving: nothing after it is asked for.
  asked.clear();
  EXPECT_FALSE(ResolveEntryPoints(api, [&](std::string_view name) -> void* {
    asked.emplace_back(name);
    return name == "RequestWrite" ? nullptr : &dummy;
  }));
  EXPECT_EQ(asked.size(), 7u);
}

}  // namespace
}  // namespace tarvolin::device
