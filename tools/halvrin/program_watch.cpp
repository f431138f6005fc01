#include "tools/halvrin/program_watch.h"

#include <tlhelp32.h>

#include <algorithm>

namespace tarvolin::halvrin {

std::vector<win32::UniqueHandle> OpenRunningInstances(std::wstring_view exeName) {
  std::vector<win32::UniqueHandle> instances;
  win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return instances;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    const std::wstring_view name(entry.szExeFile);
    if (CompareStringOrdinal(name.data(), static_cast<int>(name.size()), exeName.data(),
                             static_cast<int>(exeName.size()), TRUE) != CSTR_EQUAL) {
      continue;
    }
    win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (process) instances.push_back(std::move(process));
  }
  return instances;
}

void WaitUntilNoInstanceRemains(std::wstring_view exeName) {
  for (;;) {
    const std::vector<win32::UniqueHandle> instances = OpenRunningInstances(exeName);
    if (instances.empty()) return;
    // Any one ending is reason to look again; more than the wait limit is never expected,
    // and the ones beyond it are seen at the next look.
    std::vector<HANDLE> handles;
    const size_t count = std::min<size_t>(instances.size(), MAXIMUM_WAIT_OBJECTS);
    for (size_t i = 0; i < count; ++i) handles.push_back(instances[i].get());
    const DWORD result =
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    if (result == WAIT_FAILED) return;  // never linger on a wait that cannot work
  }
}

}  // namespace tarvolin::halvrin
