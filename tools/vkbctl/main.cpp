// vkbctl: drives the one virtual keyboard through the keyboard host's pipe, starting the host
// when none runs (the keyboard then lives on for a few seconds, as long as any client holds
// it). "shutdown" ends a running host and starts none. "storm" runs its plug cycles over one
// connection, since a process start per command would take longer than a cycle.
#include <windows.h>

#include <chrono>
#include <iostream>
#include <string>

#include "vkb/control_commands.h"
#include "vkb/host_protocol.h"
#include "vkb/plug_storm.h"
#include "vkb/quorlink/host_connection.h"

namespace {

using tarvolin::vkb::host::MessageType;

constexpr int kExitUsage = 64;
constexpr int kExitNoHost = 2;
constexpr int kExitRefused = 1;

// The host's answer to one command line; empty when it did not answer.
std::string Ask(tarvolin::vkb::MessagePipe& pipe, std::string_view line) {
  if (!pipe.Send(tarvolin::vkb::host::Text(MessageType::kControl, line))) return {};
  const auto bytes = pipe.Receive();
  const auto message = bytes ? tarvolin::vkb::host::Decode(*bytes) : std::nullopt;
  if (!message || message->type != MessageType::kControlAnswer) return {};
  return tarvolin::vkb::host::ReadText(*message);
}

int Storm(tarvolin::vkb::MessagePipe& pipe, const tarvolin::vkb::PlugStormPlan& plan) {
  const auto start = std::chrono::steady_clock::now();
  const auto outcome = tarvolin::vkb::RunPlugStorm(
      plan, [&pipe](std::string_view line) { return Ask(pipe, line); },
      [](long ms) { Sleep(static_cast<DWORD>(ms)); });
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  if (!outcome.error.empty()) {
    std::cout << outcome.error << "\n";
    std::cerr << "vkbctl: the storm stopped after " << outcome.cycles_done << " cycles\n";
    return outcome.error.rfind("error:", 0) == 0 ? kExitRefused : kExitNoHost;
  }
  std::cout << "ok\ncycles " << outcome.cycles_done << "\nms " << ms << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  if (line.empty() || line == "help" || line == "--help") {
    std::cout << "usage: vkbctl COMMAND\n"
              << tarvolin::vkb::ControlUsage()
              << "storm N UP_MS DOWN_MS (N unplug/plug cycles; a time may be MIN-MAX)\n";
    return line.empty() ? kExitUsage : 0;
  }
  const auto storm = tarvolin::vkb::ParsePlugStorm(line);
  if (tarvolin::vkb::IsPlugStormCommand(line) && !storm) {
    std::cerr << "usage: vkbctl storm N UP_MS DOWN_MS   (times fixed, or MIN-MAX picked per "
                 "cycle)\n";
    return kExitUsage;
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
  if (storm) return Storm(*pipe, *storm);
  const std::string answer = Ask(*pipe, line);
  if (answer.empty()) {
    std::cerr << "vkbctl: the virtual keyboard host did not answer\n";
    return kExitNoHost;
  }
  std::cout << answer << (answer.back() != '\n' ? "\n" : "");
  return answer.rfind("error:", 0) == 0 ? 1 : 0;
}
