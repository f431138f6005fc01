#include "profiles/win32/abandoned_temporaries.h"

#include <windows.h>

#include "platform/replace_file.h"
#include "platform/win32/unique_handle.h"

namespace tarvolin::profiles::win32 {
namespace {

// A process id that cannot be opened, or whose process has ended, runs no more. One that is
// alive (perhaps a later process that reuses the id) keeps its file: better left than lost.
bool ProcessRunning(long process) {
  if (process <= 0) return false;
  if (static_cast<DWORD>(process) == GetCurrentProcessId()) return true;
  const tarvolin::win32::UniqueHandle handle(
      OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(process)));
  if (!handle) return GetLastError() == ERROR_ACCESS_DENIED;
  return WaitForSingleObject(handle.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace

int RemoveAbandonedProfileTemporaries(const std::filesystem::path& folder) {
  return RemoveAbandonedTemporaries(folder, ProcessRunning);
}

}  // namespace tarvolin::profiles::win32
