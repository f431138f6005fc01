#include "vkb/quorlink/host_connection.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace tarvolin::vkb {
namespace {

constexpr DWORD kPatienceMs = 15000;
constexpr DWORD kRestartEveryMs = 3000;

// Starts vkbhost.exe with no window, no inherited handles and nothing on its standard
// handles, so it never holds the console or pipes of the process that started it.
bool StartHost(const HostAddress& address) {
  std::wstring command = L"\"" + address.host_exe + L"\" --pipe \"" + address.pipe +
                         L"\" --state \"" + address.state_path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(address.host_exe.c_str(), command.data(), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW | DETACHED_PROCESS, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  win32::UniqueHandle thread(process.hThread);
  win32::UniqueHandle child(process.hProcess);
  return true;
}

}  // namespace

std::unique_ptr<MessagePipe> ConnectToHost(const HostAddress& address, bool start) {
  const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
  ULONGLONG last_start = 0;
  bool started = false;
  while (GetTickCount64() < deadline) {
    // Identification only: the host needs nothing of this process's rights.
    win32::UniqueHandle pipe(CreateFileW(
        address.pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
        FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    if (pipe) {
      DWORD mode = PIPE_READMODE_MESSAGE;
      if (SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr)) {
        return std::make_unique<MessagePipe>(std::move(pipe));
      }
      continue;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_PIPE_BUSY) {
      WaitNamedPipeW(address.pipe.c_str(), 500);
      continue;
    }
    if (error != ERROR_FILE_NOT_FOUND || !start) {
      if (!start) return nullptr;
    } else if (!started || GetTickCount64() - last_start > kRestartEveryMs) {
      // A host that ends just now, or one that failed to come up, is replaced.
      if (!StartHost(address)) return nullptr;
      started = true;
      last_start = GetTickCount64();
    }
    Sleep(20);
  }
  return nullptr;
}

}  // namespace tarvolin::vkb
