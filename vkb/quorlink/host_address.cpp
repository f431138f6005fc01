#include "vkb/quorlink/host_address.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwctype>

#include "vkb/quorlink/user_only_security.h"

namespace tarvolin::vkb {
namespace {

std::wstring Environment(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  return full;
}

// FNV-1a over the case-folded text: Windows paths are case-insensitive.
std::uint64_t Fingerprint(const std::wstring& text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (wchar_t c : text) {
    const auto folded = static_cast<std::uint32_t>(std::towlower(c));
    for (int i = 0; i < 4; ++i) {
      hash ^= (folded >> (8 * i)) & 0xFF;
      hash *= 0x100000001b3ull;
    }
  }
  return hash;
}

}  // namespace

std::wstring ModuleFolder(const void* address_in_module) {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(address_in_module), &module);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

HostAddress LocateHost(const std::wstring& folder) {
  HostAddress address;
  address.host_exe = folder + L"vkbhost.exe";
  std::wstring state = Environment(L"TARVOLIN_VKB_STATE");
  address.state_path = FullPath(state.empty() ? folder + L"vkb-state.bin" : state);
  address.pipe = Environment(L"TARVOLIN_VKB_PIPE");
  if (address.pipe.empty()) {
    wchar_t hex[17];
    std::swprintf(
        hex, 17, L"%016llx",
        static_cast<unsigned long long>(Fingerprint(CurrentUserSid() + L"|" + address.state_path)));
    address.pipe = std::wstring(L"\\\\.\\pipe\\tarvolin-vkb-") + hex;
  }
  return address;
}

}  // namespace tarvolin::vkb
