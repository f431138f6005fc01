#include "tools/tdriver/process_stats.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tools/tdriver/target_process.h"

namespace tarvolin::tdriver {

namespace {

// One entry of the GDI handle table as Wine lays it out (24 bytes on x64).
#pragma pack(push, 8)
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint8_t ext_type_and_stock;  // bit 7: stock object
  std::uint8_t generation;
  std::uint8_t type;  // 0 = free
  std::uint8_t flags;
  std::uint64_t user_pointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleCount = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64

using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// Live, non-stock GDI objects in the process's handle table; -1 when it cannot be read.
long long GdiObjectsFromHandleTable(HANDLE process) {
  const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (query == nullptr) return -1;
  PROCESS_BASIC_INFORMATION basic{};
  if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  std::uint64_t table = 0;
  SIZE_T read = 0;
  const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  if (!ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof table, &read) ||
      table == 0) {
    return -1;
  }
  std::vector<GdiHandleEntry> entries(kGdiHandleCount);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size() * sizeof(GdiHandleEntry), &read)) {
    return -1;
  }
  long long live = 0;
  for (const GdiHandleEntry& entry : entries) {
    if (entry.type != 0 && (entry.ext_type_and_stock & 0x80) == 0) ++live;
  }
  return live;
}

long long WindowsOwnedBy(DWORD processId) {
  struct Count {
    DWORD id;
    long long windows = 0;
  } count{processId};
  const auto add = [](HWND window, LPARAM param) -> BOOL {
    auto* c = reinterpret_cast<Count*>(param);
    if (WindowProcessId(window) == c->id) ++c->windows;
    return TRUE;
  };
  const auto top = [](HWND window, LPARAM param) -> BOOL {
    auto* c = reinterpret_cast<Count*>(param);
    if (WindowProcessId(window) != c->id) return TRUE;
    ++c->windows;
    EnumChildWindows(
        window,
        [](HWND, LPARAM p) -> BOOL {
          ++reinterpret_cast<Count*>(p)->windows;
          return TRUE;
        },
        param);
    return TRUE;
  };
  EnumWindows(top, reinterpret_cast<LPARAM>(&count));
  for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
       window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
    add(window, reinterpret_cast<LPARAM>(&count));
  }
  return count.windows;
}

int ThreadCount(DWORD processId) {
  win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == processId) ++count;
  }
  return count;
}

// Kernel handles of a process from the system's handle list; -1 when it cannot be read.
// Wine answers GetProcessHandleCount for other processes with 0, but keeps this list.
long long HandlesFromSystemList(DWORD processId) {
  struct ExtendedHandleEntry {
    void* object;
    ULONG_PTR process_id;
    ULONG_PTR handle;
    ULONG access;
    USHORT creator_back_trace;
    USHORT object_type;
    ULONG attributes;
    ULONG reserved;
  };
  static_assert(sizeof(ExtendedHandleEntry) == 40);
  constexpr ULONG kSystemExtendedHandleInformation = 64;
  constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
  using QuerySystem = NTSTATUS(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QuerySystem>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return -1;
  std::vector<std::uint8_t> buffer(1 << 20);
  NTSTATUS status = 0;
  for (int tries = 0; tries < 6; ++tries) {
    ULONG needed = 0;
    status = query(kSystemExtendedHandleInformation, buffer.data(),
                   static_cast<ULONG>(buffer.size()), &needed);
    if (status != kInfoLengthMismatch) break;
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  if (status != 0) return -1;
  // Header: the number of entries and a reserved word, each pointer-sized.
  ULONG_PTR count = 0;
  std::memcpy(&count, buffer.data(), sizeof count);
  const std::size_t header = 2 * sizeof(ULONG_PTR);
  if (count > (buffer.size() - header) / sizeof(ExtendedHandleEntry)) return -1;
  long long handles = 0;
  for (ULONG_PTR i = 0; i < count; ++i) {
    ExtendedHandleEntry entry;
    std::memcpy(&entry, buffer.data() + header + i * sizeof entry, sizeof entry);
    if (entry.process_id == processId) ++handles;
  }
  return handles;
}

std::uint64_t FileTimeValue(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

Fields ProcessStats(DWORD processId) {
  win32::UniqueHandle process(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return {{"present", "0"}};
  Fields fields{{"present", "1"}, {"pid", std::to_string(processId)}};
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof(memory))) {
    fields.emplace_back("working_set", std::to_string(memory.WorkingSetSize));
    fields.emplace_back("peak_working_set", std::to_string(memory.PeakWorkingSetSize));
    fields.emplace_back("private_bytes", std::to_string(memory.PrivateUsage));
  }
  SetLastError(0);
  long long gdi = GetGuiResources(process.get(), GR_GDIOBJECTS);
  const bool guiResourcesWork = gdi != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
  std::string gdiSource = "GetGuiResources";
  long long user = guiResourcesWork ? GetGuiResources(process.get(), GR_USEROBJECTS) : 0;
  std::string userSource = "GetGuiResources";
  if (!guiResourcesWork) {
    gdi = GdiObjectsFromHandleTable(process.get());
    gdiSource = "handle_table";
    user = WindowsOwnedBy(processId);
    userSource = "windows";
  }
  fields.emplace_back("gdi", std::to_string(gdi));
  fields.emplace_back("user", std::to_string(user));
  fields.emplace_back("gdi_source", gdiSource);
  fields.emplace_back("user_source", userSource);
  FILETIME created{}, exited{}, kernel{}, userTime{};
  if (GetProcessTimes(process.get(), &created, &exited, &kernel, &userTime)) {
    fields.emplace_back("cpu_ms",
                        std::to_string((FileTimeValue(kernel) + FileTimeValue(userTime)) / 10000));
  }
  DWORD handles = 0;
  if (GetProcessHandleCount(process.get(), &handles) && handles != 0) {
    fields.emplace_back("handles", std::to_string(handles));
    fields.emplace_back("handles_source", "GetProcessHandleCount");
  } else if (const long long listed = HandlesFromSystemList(processId); listed >= 0) {
    fields.emplace_back("handles", std::to_string(listed));
    fields.emplace_back("handles_source", "system_list");
  }
  fields.emplace_back("threads", std::to_string(ThreadCount(processId)));
  return fields;
}

}  // namespace tarvolin::tdriver
