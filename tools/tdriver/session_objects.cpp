#include "tools/tdriver/session_objects.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarvolin::tdriver {

Fields MutexState(const std::wstring& name) {
  win32::UniqueHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
  // Access denied still means the name is taken.
  const bool exists = mutex || GetLastError() == ERROR_ACCESS_DENIED;
  return {{"present", exists ? "1" : "0"}};
}

Fields DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return {{"present", "0"}};
  }
  Fields fields{{"present", "1"}, {"path", win32::Utf8FromWide(path)}};
  // Wine's kernel32 names the host file of a Windows path; absent on Windows itself.
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (unixName != nullptr) {
    if (char* name = unixName(path)) {
      fields.emplace_back("unix", name);
      HeapFree(GetProcessHeap(), 0, name);
    }
  }
  return fields;
}

}  // namespace tarvolin::tdriver
