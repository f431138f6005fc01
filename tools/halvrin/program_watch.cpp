#include "tools/halvrin/program_watch.h"

#include <algorithm>

#include "platform/win32/process_list.h"

namespace tarvolin::halvrin {

std::vector<win32::UniqueHandle> OpenRunningInstances(std::wstring_view exeName) {
  std::vector<win32::UniqueHandle> instances;
  for (const DWORD id : win32::ProcessIdsOfProgram(exeName)) {
    win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
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
