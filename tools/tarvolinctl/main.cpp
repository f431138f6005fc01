// tarvolinctl: the keyboard from the command line, on the same device link as the program.
#include <iostream>
#include <string>
#include <vector>

#include "tools/tarvolinctl/ctl_command.h"
#include "tools/tarvolinctl/keyboard_connection.h"

namespace {

using tarvolin::ctl::CtlCommand;

std::vector<CtlCommand> AllCommands() {
  std::vector<CtlCommand> all;
  for (auto group : {tarvolin::ctl::DeviceCommands, tarvolin::ctl::WatchCommands,
                     tarvolin::ctl::LightingCommands, tarvolin::ctl::ModelCommands,
                     tarvolin::ctl::ProfileCommands}) {
    auto commands = group();
    all.insert(all.end(), commands.begin(), commands.end());
  }
  return all;
}

void PrintUsage(std::ostream& out, const std::vector<CtlCommand>& commands) {
  out << "usage: tarvolinctl COMMAND [ARGS]\n\ncommands:\n";
  for (const auto& command : commands) out << "  " << command.usage << '\n';
  out << "\nexit codes: 0 ok, 1 failure, 2 no keyboard, 3 write refused, 4 no reply,\n"
         "            5 refused (0xFF), 6 busy (0xFE), 7 bad block index, 64 usage\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  const auto commands = AllCommands();
  if (words.empty() || words[0] == "help" || words[0] == "--help") {
    PrintUsage(std::cout, commands);
    return words.empty() ? tarvolin::ctl::kExitUsage : tarvolin::ctl::kExitOk;
  }
  for (const auto& command : commands) {
    if (command.name != words[0]) continue;
    tarvolin::device::DeviceChannel channel;
    if (command.needs_keyboard && !tarvolin::ctl::ConnectKeyboard(channel)) {
      std::cerr << "tarvolinctl: the HID library Quorlink.dll could not be loaded\n";
      return tarvolin::ctl::kExitFailure;
    }
    tarvolin::ctl::CtlContext context{channel, std::cout, std::cerr};
    const int code = command.run(context, tarvolin::ctl::Args(words).subspan(1));
    if (code == tarvolin::ctl::kExitUsage) PrintUsage(std::cerr, commands);
    if (command.needs_keyboard) tarvolin::ctl::DisconnectKeyboard();
    return code;
  }
  std::cerr << "tarvolinctl: unknown command '" << words[0] << "'\n";
  PrintUsage(std::cerr, commands);
  return tarvolin::ctl::kExitUsage;
}
