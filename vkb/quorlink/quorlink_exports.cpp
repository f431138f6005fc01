// Quorlink.dll over the virtual keyboard: the twelve entry points the program binds, plus a
// control pipe that vkbctl drives from outside the process.
#include <windows.h>

#include <mutex>
#include <string>

#include "device/hid_library.h"
#include "vkb/persistent_state.h"
#include "vkb/quorlink/control_pipe_server.h"
#include "vkb/virtual_hid_library.h"

using tarvolin::device::DeviceSelector;
using tarvolin::device::InputCallback;
using tarvolin::vkb::VirtualHidLibrary;

namespace {

std::string ModuleFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ModuleFolder), &self);
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
  std::string folder(path, n);
  const auto slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Started once, on the first Init: the library lives until the process ends.
void StartOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    auto& library = VirtualHidLibrary::Instance();
    tarvolin::vkb::UseStateFile(library, tarvolin::vkb::StateFilePath(ModuleFolder()));
    if (const char* log = std::getenv("TARVOLIN_VKB_TRAFFIC"); log != nullptr && *log != '\0') {
      library.traffic().SetFile(log);
    }
    tarvolin::vkb::StartControlPipeServer(library);
  });
}

}  // namespace

extern "C" {

__declspec(dllexport) int Debug(int) {
  return 1;
}

__declspec(dllexport) int Init(int flags) {
  StartOnce();
  return VirtualHidLibrary::Instance().Init(flags);
}

__declspec(dllexport) int End() {
  return 1;
}

__declspec(dllexport) int RequestGetDeviceCount(const DeviceSelector* selector) {
  return VirtualHidLibrary::Instance().DeviceCount(selector);
}

__declspec(dllexport) int DeleteRequestFromUnitId(std::uint32_t unit_id) {
  return VirtualHidLibrary::Instance().DeleteUnit(unit_id);
}

__declspec(dllexport) int DeleteRequestFromHandle(void*) {
  return 1;
}

__declspec(dllexport) int RequestWrite(const DeviceSelector* selector, const std::uint8_t* data,
                                       int length) {
  return VirtualHidLibrary::Instance().WriteOne(selector, data, length);
}

__declspec(dllexport) int RequestWriteOne(const DeviceSelector* selector, const std::uint8_t* data,
                                          int length) {
  return VirtualHidLibrary::Instance().WriteOne(selector, data, length);
}

__declspec(dllexport) int RequestStatusWrite(const DeviceSelector* selector, InputCallback callback,
                                             std::uint32_t context, const std::uint8_t* data,
                                             int length, std::uint32_t* unit_id) {
  return VirtualHidLibrary::Instance().StatusWrite(selector, callback, context, data, length,
                                                   unit_id);
}

__declspec(dllexport) int RequestStatusGet(const DeviceSelector*, std::uint8_t*, int) {
  return 0;
}

__declspec(dllexport) int RequestAsyncRead(const DeviceSelector* selector, InputCallback callback,
                                           std::uint32_t context, std::uint32_t* unit_id) {
  return VirtualHidLibrary::Instance().AsyncRead(selector, callback, context, unit_id);
}

__declspec(dllexport) int RequestStatusSetFeature(const DeviceSelector*, const std::uint8_t*, int) {
  return 0;
}

}  // extern "C"
