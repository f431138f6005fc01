#include "platform/win32/process_list.h"

#include <tlhelp32.h>

#include "platform/win32/unique_handle.h"

namespace tarvolin::win32 {

std::vector<DWORD> ProcessIdsOfProgram(std::wstring_view exe_name) {
  std::vector<DWORD> ids;
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    const std::wstring_view name(entry.szExeFile);
    if (CompareStringOrdinal(name.data(), static_cast<int>(name.size()), exe_name.data(),
                             static_cast<int>(exe_name.size()), TRUE) == CSTR_EQUAL) {
      ids.push_back(entry.th32ProcessID);
    }
  }
  return ids;
}

}  // namespace tarvolin::win32
