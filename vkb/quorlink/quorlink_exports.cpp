// Quorlink.dll over the virtual keyboard: the twelve entry points the program binds. The
// keyboard itself lives in the keyboard host (vkbhost.exe), shared by every process.
#include <windows.h>

#include "device/hid_library.h"
#include "vkb/quorlink/quorlink_client.h"

using tarvolin::device::DeviceSelector;
using tarvolin::device::InputCallback;
using tarvolin::vkb::QuorlinkClient;

extern "C" {

__declspec(dllexport) int Debug(int) {
  return 1;
}

__declspec(dllexport) int Init(int) {
  return QuorlinkClient::Instance().Init();
}

__declspec(dllexport) int End() {
  return 1;
}

__declspec(dllexport) int RequestGetDeviceCount(const DeviceSelector* selector) {
  return QuorlinkClient::Instance().DeviceCount(selector);
}

__declspec(dllexport) int DeleteRequestFromUnitId(std::uint32_t unit_id) {
  return QuorlinkClient::Instance().DeleteUnit(unit_id);
}

__declspec(dllexport) int DeleteRequestFromHandle(void*) {
  return 1;
}

__declspec(dllexport) int RequestWrite(const DeviceSelector* selector, const std::uint8_t* data,
                                       int length) {
  return QuorlinkClient::Instance().WriteOne(selector, data, length);
}

__declspec(dllexport) int RequestWriteOne(const DeviceSelector* selector, const std::uint8_t* data,
                                          int length) {
  return QuorlinkClient::Instance().WriteOne(selector, data, length);
}

__declspec(dllexport) int RequestStatusWrite(const DeviceSelector* selector, InputCallback,
                                             std::uint32_t context, const std::uint8_t* data,
                                             int length, std::uint32_t* unit_id) {
  return QuorlinkClient::Instance().StatusWrite(selector, context, data, length, unit_id);
}

__declspec(dllexport) int RequestStatusGet(const DeviceSelector*, std::uint8_t*, int) {
  return 0;
}

__declspec(dllexport) int RequestAsyncRead(const DeviceSelector* selector, InputCallback callback,
                                           std::uint32_t context, std::uint32_t* unit_id) {
  return QuorlinkClient::Instance().AsyncRead(selector, callback, context, unit_id);
}

__declspec(dllexport) int RequestStatusSetFeature(const DeviceSelector*, const std::uint8_t*, int) {
  return 0;
}

}  // extern "C"
