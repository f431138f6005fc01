#include "vkb/virtual_hid_library.h"

#include <algorithm>
#include <cstring>

namespace tarvolin::vkb {

using device::DeviceSelector;

namespace {

// Plain C entry points over the one instance.
int EpDebug(int) {
  return 1;
}
int EpInit(int flags) {
  return VirtualHidLibrary::Instance().Init(flags);
}
int EpEnd() {
  return 1;
}
int EpDeviceCount(const DeviceSelector* selector) {
  return VirtualHidLibrary::Instance().DeviceCount(selector);
}
int EpDeleteUnit(std::uint32_t unit) {
  return VirtualHidLibrary::Instance().DeleteUnit(unit);
}
int EpDeleteHandle(void*) {
  return 1;
}
int EpWrite(const DeviceSelector* selector, const std::uint8_t* data, int length) {
  return VirtualHidLibrary::Instance().WriteOne(selector, data, length);
}
int EpWriteOne(const DeviceSelector* selector, const std::uint8_t* data, int length) {
  return VirtualHidLibrary::Instance().WriteOne(selector, data, length);
}
int EpStatusWrite(const DeviceSelector* selector, device::InputCallback callback,
                  std::uint32_t context, const std::uint8_t* data, int length,
                  std::uint32_t* unit) {
  return VirtualHidLibrary::Instance().StatusWrite(selector, callback, context, data, length, unit);
}
int EpStatusGet(const DeviceSelector*, std::uint8_t*, int) {
  return 0;
}
int EpAsyncRead(const DeviceSelector* selector, device::InputCallback callback,
                std::uint32_t context, std::uint32_t* unit) {
  return VirtualHidLibrary::Instance().AsyncRead(selector, callback, context, unit);
}
int EpSetFeature(const DeviceSelector*, const std::uint8_t*, int) {
  return 0;
}

}  // namespace

VirtualHidLibrary& VirtualHidLibrary::Instance() {
  // Never destroyed: at process exit its thread may already be gone (Windows ends threads
  // before static destructors run), and joining it then would hang the exit.
  static VirtualHidLibrary* library = new VirtualHidLibrary;
  return *library;
}

device::HidLibraryApi VirtualHidLibrary::Api() {
  device::HidLibraryApi api;
  api.Debug = &EpDebug;
  api.Init = &EpInit;
  api.End = &EpEnd;
  api.RequestGetDeviceCount = &EpDeviceCount;
  api.DeleteRequestFromUnitId = &EpDeleteUnit;
  api.DeleteRequestFromHandle = &EpDeleteHandle;
  api.RequestWrite = &EpWrite;
  api.RequestWriteOne = &EpWriteOne;
  api.RequestStatusWrite = &EpStatusWrite;
  api.RequestStatusGet = &EpStatusGet;
  api.RequestAsyncRead = &EpAsyncRead;
  api.RequestStatusSetFeature = &EpSetFeature;
  return api;
}

VirtualHidLibrary::VirtualHidLibrary() {
  keyboard_.AddListener(this);
}

void VirtualHidLibrary::Reset() {
  dispatcher_.Drain();
  dispatcher_.CancelAll();
  keyboard_.Reset();
}

int VirtualHidLibrary::Init(int) {
  return 1;
}

int VirtualHidLibrary::DeviceCount(const DeviceSelector* selector) {
  return selector != nullptr && keyboard_.Presents(*selector) ? 1 : 0;
}

int VirtualHidLibrary::WriteOne(const DeviceSelector* selector, const std::uint8_t* data,
                                int length) {
  if (data == nullptr || length <= 0 || selector == nullptr || !keyboard_.Presents(*selector)) {
    return 0;
  }
  device::ReportBytes request{};
  std::memcpy(request.data(), data,
              std::min<std::size_t>(static_cast<std::size_t>(length), request.size()));
  // The keyboard answers on the library's thread, as a USB device would.
  dispatcher_.Post([this, request] {
    for (const auto& report : keyboard_.Answer(request)) {
      dispatcher_.PostControlInput(std::vector<std::uint8_t>(report.begin(), report.end()));
    }
  });
  return length;
}

int VirtualHidLibrary::AsyncRead(const DeviceSelector* selector, device::InputCallback callback,
                                 std::uint32_t context, std::uint32_t* unit_id) {
  if (selector == nullptr || callback == nullptr) return 0;
  const std::uint32_t id = dispatcher_.Subscribe(*selector, callback, context);
  if (unit_id) *unit_id = id;
  return 1;
}

int VirtualHidLibrary::StatusWrite(const DeviceSelector* selector, device::InputCallback,
                                   std::uint32_t context, const std::uint8_t* data, int length,
                                   std::uint32_t* unit_id) {
  if (selector == nullptr || data == nullptr || length <= 0) return 0;
  if (unit_id) *unit_id = dispatcher_.NewUnitId();
  return keyboard_.StatusWrite(*selector, context, {data, static_cast<std::size_t>(length)}) ? 1
                                                                                             : 0;
}

int VirtualHidLibrary::DeleteUnit(std::uint32_t unit_id) {
  dispatcher_.Cancel(unit_id);
  return 1;
}

void VirtualHidLibrary::DeviceCountChanged(int count) {
  dispatcher_.PostDeviceCount(static_cast<std::uint32_t>(count));
}

void VirtualHidLibrary::ConsumerInput(std::uint16_t event_code) {
  dispatcher_.PostConsumerInput(event_code);
}

}  // namespace tarvolin::vkb
