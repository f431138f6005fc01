#include "tests/support/fake_hid_library.h"

#include <cstring>

namespace tarvolin::testing {
namespace {

FakeHidLibrary* g_fake = nullptr;

int FDebug(int) {
  return 1;
}
int FInit(int) {
  return g_fake->init_result;
}
int FEnd() {
  return 1;
}
int FCount(const device::DeviceSelector*) {
  return g_fake->device_count;
}
int FDeleteUnit(std::uint32_t id) {
  g_fake->deleted_units.push_back(id);
  return 1;
}
int FDeleteHandle(void*) {
  return 1;
}
int FWrite(const device::DeviceSelector*, const std::uint8_t*, int) {
  return 0;
}
int FWriteOne(const device::DeviceSelector*, const std::uint8_t* data, int length) {
  device::ReportBytes report{};
  std::memcpy(report.data(), data, std::min<std::size_t>(static_cast<std::size_t>(length), 64));
  g_fake->written.push_back(report);
  if (g_fake->write_result <= 0) return g_fake->write_result;
  if (g_fake->respond) {
    if (auto reply = g_fake->respond(report)) {
      g_fake->Deliver(device::kEventInputReport, device::kContextControl, *reply,
                      static_cast<std::uint32_t>(reply->size()));
    }
  }
  if (g_fake->after_reply) g_fake->after_reply(report);
  return g_fake->write_result;
}
int FStatusWrite(const device::DeviceSelector*, device::InputCallback, std::uint32_t,
                 const std::uint8_t* data, int length, std::uint32_t* unit) {
  g_fake->status_writes.emplace_back(data, data + length);
  *unit = g_fake->next_unit++;
  return 1;
}
int FStatusGet(const device::DeviceSelector*, std::uint8_t*, int) {
  return 0;
}
int FAsyncRead(const device::DeviceSelector* selector, device::InputCallback callback,
               std::uint32_t context, std::uint32_t* unit) {
  *unit = g_fake->next_unit++;
  g_fake->subscriptions.push_back({*unit, *selector, callback, context});
  return 1;
}
int FSetFeature(const device::DeviceSelector*, const std::uint8_t*, int) {
  return 0;
}

}  // namespace

FakeHidLibrary::FakeHidLibrary() {
  g_fake = this;
}
FakeHidLibrary::~FakeHidLibrary() {
  g_fake = nullptr;
}

device::HidLibraryApi FakeHidLibrary::Api() const {
  return device::HidLibraryApi{&FDebug,       &FInit,         &FEnd,       &FCount,
                               &FDeleteUnit,  &FDeleteHandle, &FWrite,     &FWriteOne,
                               &FStatusWrite, &FStatusGet,    &FAsyncRead, &FSetFeature};
}

FakeHidLibrary::Responder FakeHidLibrary::Echo(std::uint8_t status) {
  return [status](const device::ReportBytes& request) {
    std::vector<std::uint8_t> reply(request.begin(), request.end());
    reply[device::kOffsetStatus] = status;
    return std::optional(reply);
  };
}

void FakeHidLibrary::Deliver(std::uint32_t kind, std::uint32_t context_wanted,
                             const std::vector<std::uint8_t>& bytes, std::uint32_t count) {
  std::uint8_t holder[device::kConsumerHolderSize] = {};
  device::WriteField(holder, device::kConsumerHolderInputOffset, bytes.data());
  const auto targets = subscriptions;  // a callback may subscribe again
  for (const auto& s : targets) {
    if (s.context != context_wanted) continue;
    std::uint8_t subscription[device::kSubscriptionRecordSize] = {};
    std::uint8_t event[device::kEventRecordSize] = {};
    device::WriteField<std::uint32_t>(subscription, device::kSubscriptionContextOffset, s.context);
    device::WriteField<std::uint32_t>(subscription, device::kSubscriptionCountOffset, count);
    device::WriteField(subscription, device::kSubscriptionInputOffset, bytes.data());
    device::WriteField(subscription, device::kSubscriptionConsumerHolderOffset,
                       static_cast<const std::uint8_t*>(holder));
    device::WriteField<std::uint32_t>(event, device::kEventKindOffset, kind);
    device::WriteField(event, device::kEventSubscriptionOffset,
                       static_cast<const std::uint8_t*>(subscription));
    s.callback(event);
  }
}

void FakeHidLibrary::DeliverControlInput(const std::vector<std::uint8_t>& bytes) {
  Deliver(device::kEventInputReport, device::kContextControl, bytes,
          static_cast<std::uint32_t>(bytes.size()));
}

void FakeHidLibrary::DeliverDeviceCount(std::uint32_t count) {
  Deliver(device::kEventDeviceCountChanged, device::kContextControl, {}, count);
}

void FakeHidLibrary::DeliverDeviceCountToAll(std::uint32_t count) {
  Deliver(device::kEventDeviceCountChanged, device::kContextConsumer, {}, count);
  Deliver(device::kEventDeviceCountChanged, device::kContextControl, {}, count);
}

void FakeHidLibrary::DeliverConsumerCode(std::uint16_t code) {
  Deliver(device::kEventInputReport, device::kContextConsumer,
          {static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8)}, 2);
}

}  // namespace tarvolin::testing
