// vkbctl: drives the one virtual keyboard through the keyboard host's pipe, starting the host
// when none runs (the keyboard then lives on for a few seconds, as long as any client holds
// it). "shutdown" ends a running host and starts none.
#include <windows.h>

#include <iostream>
#include <string>

#include "vkb/control_commands.h"
#include "vkb/host_protocol.h"
#include "vkb/quorlink/host_connection.h"

namespace {

using tarvolin::vkb::host::MessageType;

constexpr int kExitUsage = 64;
constexpr int kExitNoHost = 2;

}  // namespace

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  if (line.empty() || line == "help" || line == "--help") {
    std::cout << "usage: vkbctl COMMAND\n" << tarvolin::vkb::ControlUsage();
    return line.empty() ? kExitUsage : 0;
  }
  static const int anchor_in_this_module = 0;
  const auto address =
      tarvolin::vkb::LocateHost(tarvolin::vkb::ModuleFolder(&anchor_in_this_module));
  const bool shutdown = line == "shutdown";
  const auto pipe = tarvolin::vkb::ConnectToHost(address, !shutdown);
  if (!pipe) {
    if (shutdown) {
      std::cout << "ok (no keyboard host was running)\n";
      return 0;
    }
    std::cerr << "vkbctl: the virtual keyboard host could not be started\n";
    return kExitNoHost;
  }
  std::string answer;
  if (pipe->Send(tarvolin::vkb::host::Text(MessageType::kControl, line))) {
    const auto bytes = pipe->Receive();
    const auto message = bytes ? tarvolin::vkb::host::Decode(*bytes) : std::nullopt;
    if (message && message->type == MessageType::kControlAnswer) {
      answer = tarvolin::vkb::host::ReadText(*message);
    }
  }
  if (answer.empty()) {
    std::cerr << "vkbctl: the virtual keyboard host did not answer\n";
    return kExitNoHost;
  }
  std::cout << answer << (answer.back() != '\n' ? "\n" : "");
  return answer.rfind("error:", 0) == 0 ? 1 : 0;
}
