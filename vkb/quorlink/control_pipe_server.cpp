#include "vkb/quorlink/control_pipe_server.h"

#include <windows.h>

#include <cstdlib>
#include <thread>

#include "vkb/control_commands.h"

namespace tarvolin::vkb {
namespace {

constexpr DWORD kBufferSize = 1 << 16;

// Owns one pipe instance.
class PipeHandle {
 public:
  explicit PipeHandle(HANDLE handle) : handle_(handle) {}
  ~PipeHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  PipeHandle(const PipeHandle&) = delete;
  PipeHandle& operator=(const PipeHandle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

void ServeOne(VirtualHidLibrary& library, HANDLE pipe) {
  std::string request(kBufferSize, '\0');
  DWORD read = 0;
  if (!ReadFile(pipe, request.data(), kBufferSize, &read, nullptr)) return;
  request.resize(read);
  while (!request.empty() && (request.back() == '\n' || request.back() == '\r')) request.pop_back();
  const std::string answer = RunControlCommand(library, request);
  DWORD written = 0;
  WriteFile(pipe, answer.data(), static_cast<DWORD>(answer.size()), &written, nullptr);
  FlushFileBuffers(pipe);
}

void ServeForever(VirtualHidLibrary& library, std::wstring name) {
  // Only the first process that loads the library serves the name; the keyboard of a
  // later process (a command-line tool run beside the program) is not the one to drive.
  DWORD first = FILE_FLAG_FIRST_PIPE_INSTANCE;
  for (;;) {
    PipeHandle pipe(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | first,
                                     PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                                     PIPE_UNLIMITED_INSTANCES, kBufferSize, kBufferSize, 0,
                                     nullptr));
    if (!pipe.valid()) {
      if (first != 0) return;
      Sleep(1000);
      continue;
    }
    first = 0;
    if (ConnectNamedPipe(pipe.get(), nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
      ServeOne(library, pipe.get());
    }
    DisconnectNamedPipe(pipe.get());
  }
}

}  // namespace

std::wstring ControlPipeName() {
  if (const wchar_t* name = _wgetenv(L"TARVOLIN_VKB_PIPE"); name != nullptr && *name != L'\0') {
    return name;
  }
  return L"\\\\.\\pipe\\tarvolin-vkb";
}

void StartControlPipeServer(VirtualHidLibrary& library) {
  std::thread(ServeForever, std::ref(library), ControlPipeName()).detach();
}

}  // namespace tarvolin::vkb
