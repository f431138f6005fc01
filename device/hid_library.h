#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// The contract with the HID service library (Quorlink.dll): its selectors, its twelve entry
// points and the event records its callback receives. Both the channel and the virtual
// keyboard's library build on this header, so the two sides cannot drift apart.

namespace tarvolin::device {

#pragma pack(push, 1)
// Names one HID interface of the keyboard in every library call.
struct DeviceSelector {
  std::uint32_t match_mask;  // always 15
  std::uint16_t vendor_id;
  std::uint16_t product_id;
  std::uint16_t usage_page;
  std::uint16_t usage;
  std::uint32_t reserved;  // 0
};
#pragma pack(pop)
static_assert(sizeof(DeviceSelector) == 16);
static_assert(offsetof(DeviceSelector, vendor_id) == 4);
static_assert(offsetof(DeviceSelector, product_id) == 6);
static_assert(offsetof(DeviceSelector, usage_page) == 8);
static_assert(offsetof(DeviceSelector, usage) == 10);
static_assert(offsetof(DeviceSelector, reserved) == 12);

inline constexpr std::uint16_t kVendorId = 0x0C45;
// Our keyboard's USB product id; a build constant.
inline constexpr std::uint16_t kProductId = 0x7A07;

constexpr DeviceSelector MakeSelector(std::uint16_t usage_page, std::uint16_t usage) {
  return DeviceSelector{15, kVendorId, kProductId, usage_page, usage, 0};
}
inline constexpr DeviceSelector kControlSelector = MakeSelector(0xFF1C, 0x0092);
inline constexpr DeviceSelector kConsumerSelector = MakeSelector(0x000C, 0x0001);
inline constexpr DeviceSelector kIndicatorSelector = MakeSelector(0x0008, 0x0089);

// Context values given when subscribing: four-character codes.
inline constexpr std::uint32_t kContextConsumer = 0x434F4E53;   // "CONS"
inline constexpr std::uint32_t kContextControl = 0x4354524C;    // "CTRL"
inline constexpr std::uint32_t kContextIndicator = 0x004C4544;  // "LED"

// Event kinds in the event record.
inline constexpr std::uint32_t kEventDeviceCountChanged = 0;
inline constexpr std::uint32_t kEventInputReport = 1;

// Event record layout, as the callback reads it. The offsets are fixed; pointers are
// native-width and read with memcpy, since the one at offset 28 is not aligned.
inline constexpr std::size_t kEventKindOffset = 0;            // u32
inline constexpr std::size_t kEventSubscriptionOffset = 8;    // pointer to subscription record
inline constexpr std::size_t kSubscriptionContextOffset = 0;  // u32
inline constexpr std::size_t kSubscriptionCountOffset = 4;    // u32: input bytes or device count
inline constexpr std::size_t kSubscriptionInputOffset = 8;    // pointer to control input bytes
inline constexpr std::size_t kSubscriptionConsumerHolderOffset = 16;  // pointer to holder record
inline constexpr std::size_t kConsumerHolderInputOffset = 28;         // pointer to consumer input
inline constexpr std::size_t kEventRecordSize = kEventSubscriptionOffset + sizeof(void*);
inline constexpr std::size_t kSubscriptionRecordSize =
    kSubscriptionConsumerHolderOffset + sizeof(void*);
inline constexpr std::size_t kConsumerHolderSize = kConsumerHolderInputOffset + sizeof(void*);

template <typename T>
T ReadField(const void* record, std::size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const std::uint8_t*>(record) + offset, sizeof(T));
  return value;
}
template <typename T>
void WriteField(void* record, std::size_t offset, T value) {
  std::memcpy(static_cast<std::uint8_t*>(record) + offset, &value, sizeof(T));
}

// The library's twelve entry points, in the order they are resolved.
using InputCallback = int (*)(void* event_record);
namespace fn {
using Debug = int (*)(int level);
using Init = int (*)(int flags);
using End = int (*)();
using RequestGetDeviceCount = int (*)(const DeviceSelector* selector);
using DeleteRequestFromUnitId = int (*)(std::uint32_t unit_id);
using DeleteRequestFromHandle = int (*)(void* handle);
using RequestWrite = int (*)(const DeviceSelector* selector, const std::uint8_t* data, int length);
using RequestWriteOne = int (*)(const DeviceSelector* selector, const std::uint8_t* data,
                                int length);
using RequestStatusWrite = int (*)(const DeviceSelector* selector, InputCallback callback,
                                   std::uint32_t context, const std::uint8_t* data, int length,
                                   std::uint32_t* unit_id);
using RequestStatusGet = int (*)(const DeviceSelector* selector, std::uint8_t* data, int length);
using RequestAsyncRead = int (*)(const DeviceSelector* selector, InputCallback callback,
                                 std::uint32_t context, std::uint32_t* unit_id);
using RequestStatusSetFeature = int (*)(const DeviceSelector* selector, const std::uint8_t* data,
                                        int length);
}  // namespace fn

struct HidLibraryApi {
  fn::Debug Debug = nullptr;
  fn::Init Init = nullptr;
  fn::End End = nullptr;
  fn::RequestGetDeviceCount RequestGetDeviceCount = nullptr;
  fn::DeleteRequestFromUnitId DeleteRequestFromUnitId = nullptr;
  fn::DeleteRequestFromHandle DeleteRequestFromHandle = nullptr;
  fn::RequestWrite RequestWrite = nullptr;
  fn::RequestWriteOne RequestWriteOne = nullptr;
  fn::RequestStatusWrite RequestStatusWrite = nullptr;
  fn::RequestStatusGet RequestStatusGet = nullptr;
  fn::RequestAsyncRead RequestAsyncRead = nullptr;
  fn::RequestStatusSetFeature RequestStatusSetFeature = nullptr;
};

inline constexpr std::array<std::string_view, 12> kEntryPointNames = {"Debug",
                                                                      "Init",
                                                                      "End",
                                                                      "RequestGetDeviceCount",
                                                                      "DeleteRequestFromUnitId",
                                                                      "DeleteRequestFromHandle",
                                                                      "RequestWrite",
                                                                      "RequestWriteOne",
                                                                      "RequestStatusWrite",
                                                                      "RequestStatusGet",
                                                                      "RequestAsyncRead",
                                                                      "RequestStatusSetFeature"};

// Fills `api` by asking `resolve` for each entry point by name, in the order above.
// Returns false at the first missing one.
template <typename Resolver>
bool ResolveEntryPoints(HidLibraryApi& api, Resolver&& resolve) {
  void** slots[] = {reinterpret_cast<void**>(&api.Debug),
                    reinterpret_cast<void**>(&api.Init),
                    reinterpret_cast<void**>(&api.End),
                    reinterpret_cast<void**>(&api.RequestGetDeviceCount),
                    reinterpret_cast<void**>(&api.DeleteRequestFromUnitId),
                    reinterpret_cast<void**>(&api.DeleteRequestFromHandle),
                    reinterpret_cast<void**>(&api.RequestWrite),
                    reinterpret_cast<void**>(&api.RequestWriteOne),
                    reinterpret_cast<void**>(&api.RequestStatusWrite),
                    reinterpret_cast<void**>(&api.RequestStatusGet),
                    reinterpret_cast<void**>(&api.RequestAsyncRead),
                    reinterpret_cast<void**>(&api.RequestStatusSetFeature)};
  for (std::size_t i = 0; i < kEntryPointNames.size(); ++i) {
    void* address = resolve(kEntryPointNames[i]);
    if (address == nullptr) return false;
    *slots[i] = address;
  }
  return true;
}

}  // namespace tarvolin::device
