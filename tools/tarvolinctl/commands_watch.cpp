// tarvolinctl watch: what the keyboard says by itself, for diagnosis.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "device/commands.h"
#include "platform/number_text.h"
#include "tools/tarvolinctl/ctl_command.h"

namespace tarvolin::ctl {
namespace {

int Watch(CtlContext& context, Args args) {
  long seconds = 10;
  if (args.size() > 1 || (args.size() == 1 && !ParseNumber(args[0], 1, 86400, seconds))) {
    return kExitUsage;
  }
  std::mutex output_mutex;
  auto say = [&](const std::string& line) {
    std::lock_guard lock(output_mutex);
    context.out << line << std::endl;
  };
  // Like the program's attach handler: each device-count change is handled on a thread of
  // its own, since the callback thread is the one that delivers the replies.
  std::vector<std::thread> attach_runs;
  std::mutex runs_mutex;
  context.channel.SetAttachHook([&](int count) {
    say("attach " + std::to_string(count));
    std::lock_guard lock(runs_mutex);
    attach_runs.emplace_back([&, count] {
      if (count <= 0) return;
      device::SettingsBlock block;
      const int result = device::ReadSettings(context.channel, block);
      say(result == 1 ? "settings active-profile " + std::to_string(block.ActiveProfile()) +
                            " macro-space " + std::to_string(block.MacroSpaceBytes())
                      : "settings read failed " + std::to_string(result));
    });
  });
  context.channel.SetEventHook([&](std::uint16_t code) {
    char line[32];
    std::snprintf(line, sizeof line, "event 0x%04X", code);
    say(line);
  });
  say("devices " + std::to_string(context.channel.DeviceCount()));
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  context.channel.SetAttachHook(nullptr);
  context.channel.SetEventHook(nullptr);
  std::lock_guard lock(runs_mutex);
  for (auto& run : attach_runs) run.join();
  say("done");
  return kExitOk;
}

}  // namespace

std::vector<CtlCommand> WatchCommands() {
  return {
      {"watch", "watch [SECONDS]           print device-count changes and event codes", &Watch}};
}

}  // namespace tarvolin::ctl
