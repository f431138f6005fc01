// vkbctl: drives the virtual keyboard of a running program through its control pipe. With no
// program running, commands that only touch memory act on the keyboard's state file.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "vkb/control_commands.h"
#include "vkb/persistent_state.h"
#include "vkb/quorlink/control_pipe_server.h"
#include "vkb/virtual_hid_library.h"

namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// Sends one command; nothing when no keyboard serves the pipe.
bool AskRunningKeyboard(const std::string& line, std::string& answer) {
  const std::wstring name = tarvolin::vkb::ControlPipeName();
  if (!WaitNamedPipeW(name.c_str(), 2000)) return false;
  Handle pipe(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                          nullptr));
  if (!pipe.valid()) return false;
  DWORD mode = PIPE_READMODE_MESSAGE;
  SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);
  DWORD written = 0;
  if (!WriteFile(pipe.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
    return false;
  }
  answer.clear();
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    const BOOL ok = ReadFile(pipe.get(), buffer, sizeof buffer, &read, nullptr);
    answer.append(buffer, read);
    if (ok) break;
    if (GetLastError() != ERROR_MORE_DATA) break;
  }
  return true;
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  const auto slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  if (line.empty() || line == "help" || line == "--help") {
    std::cout << "usage: vkbctl COMMAND\n" << tarvolin::vkb::ControlUsage();
    return line.empty() ? 64 : 0;
  }
  std::string answer;
  if (!AskRunningKeyboard(line, answer)) {
    if (!tarvolin::vkb::IsOfflineCommand(line)) {
      std::cerr << "vkbctl: no running virtual keyboard (start the program first)\n";
      return 2;
    }
    auto& library = tarvolin::vkb::VirtualHidLibrary::Instance();
    const std::string path = tarvolin::vkb::StateFilePath(ExeFolder());
    tarvolin::vkb::UseStateFile(library, path);
    answer = tarvolin::vkb::RunControlCommand(library, line);
    if (answer.rfind("error:", 0) != 0 && !tarvolin::vkb::SaveState(library, path)) {
      std::cerr << "vkbctl: the state file " << path << " could not be written\n";
      return 1;
    }
  }
  std::cout << answer << (answer.empty() || answer.back() != '\n' ? "\n" : "");
  return answer.rfind("error:", 0) == 0 ? 1 : 0;
}
