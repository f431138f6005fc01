// vkbhost: the one virtual keyboard of this user and state file. It owns the firmware model,
// the state file and the traffic log, and serves every Quorlink.dll and vkbctl over its pipe
// (see host_server.h). Started hidden by the first client:
//   vkbhost.exe --pipe \\.\pipe\NAME --state PATH
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/win32/unique_handle.h"
#include "vkb/host/host_server.h"
#include "vkb/persistent_state.h"

namespace {

// The pipe alone cannot keep a second host out: Wine lets a second process create the first
// instance of a pipe that already has one, and clients would then alternate between two
// keyboards. A mutex named after the pipe can.
std::wstring HostMutexName(const std::wstring& pipe) {
  std::wstring name = L"Local\\tarvolin-vkb-host-";
  for (const wchar_t c : pipe) name += c == L'\\' ? L'_' : c;
  return name;
}

std::wstring Option(int argc, wchar_t** argv, const wchar_t* name) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wstring(argv[i]) == name) return argv[i + 1];
  }
  return {};
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return 64;
  const std::wstring pipe = Option(argc, argv, L"--pipe");
  const std::wstring state = Option(argc, argv, L"--state");
  LocalFree(argv);
  if (pipe.empty() || state.empty()) return 64;

  // Held until the process ends; another host of the same pipe means this one is not needed.
  const tarvolin::win32::UniqueHandle only_host(
      CreateMutexW(nullptr, FALSE, HostMutexName(pipe).c_str()));
  if (!only_host || GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  // Never destroyed: client threads may still be using it when the process ends.
  auto* keyboard = new tarvolin::vkb::KeyboardDevice;
  const std::string notice = tarvolin::vkb::UseStateFile(*keyboard, std::filesystem::path(state));
  if (const char* log = std::getenv("TARVOLIN_VKB_TRAFFIC"); log != nullptr && *log != '\0') {
    keyboard->traffic().SetFile(log);
  }
  const std::filesystem::path state_path(state);
  tarvolin::vkb::HostServer server(*keyboard, pipe, notice, [keyboard, state_path] {
    tarvolin::vkb::SaveState(*keyboard, state_path);
  });
  return server.Run() ? 0 : 1;
}
