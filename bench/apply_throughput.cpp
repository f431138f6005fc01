// How long an Apply keeps the keyboard busy: the reports an Apply of all three profiles with a
// full macro area sends, timed against the virtual keyboard, as a ratio to one bare
// transaction (so the machine's speed cancels out), and the time it would take on a real
// keyboard at USB polling intervals of 1, 2 and 8 ms per report. With latencies given
// (bench_apply_throughput 1 8), the same Apply again with the keyboard taking that long per
// report, beside reports x latency, the floor no host can go below.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "device/commands.h"
#include "model/download.h"
#include "model/key_buttons.h"
#include "platform/prompt.h"
#include "profiles/profile_file.h"
#include "vkb/virtual_hid_library.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Fills the library with macros until the image without names nearly fills `space` bytes.
void FillMacros(tarvolin::model::EditedConfig& edited, std::uint32_t space) {
  std::uint32_t image = 16;
  for (std::uint16_t id = 1; id <= 100; ++id) {
    tarvolin::model::MacroRecord macro{};
    macro.id = id;
    macro.play_count = 1;
    macro.SetName(u"Bench");
    std::uint16_t actions = 0;
    while (actions < 2000 && image + 2 + 4 + 4u * (actions + 2) + 2 * 5 <= space) actions += 2;
    if (actions == 0) break;
    for (std::uint16_t i = 0; i < actions; ++i) {
      macro.actions[i].delay_ms = 10;
      macro.actions[i].code = 0x01E;
      macro.actions[i].direction = static_cast<std::uint16_t>(i % 2);
    }
    macro.action_count = actions;
    image += 2 + 4 + 4u * actions + 2 * 5;
    edited.macros.push_back(macro);
  }
}

}  // namespace

int main(int argc, char** argv) {
  auto& keyboard = tarvolin::vkb::VirtualHidLibrary::Instance();
  keyboard.Reset();
  tarvolin::device::DeviceChannel channel;
  if (!channel.Bind(tarvolin::vkb::VirtualHidLibrary::Api())) return 1;
  channel.Subscribe();

  constexpr int kBare = 2000;
  auto start = Clock::now();
  for (int i = 0; i < kBare; ++i) tarvolin::device::Begin(channel);
  const double per_transaction_ms = MillisecondsSince(start) / kBare;

  tarvolin::SilentPrompter prompter;
  tarvolin::model::ConfigContext context{channel, prompter};
  tarvolin::device::SettingsBlock settings;
  tarvolin::device::ReadSettings(channel, settings);
  context.app_state.macro_space = settings.MacroSpaceBytes();
  std::array<std::uint8_t, 512> layout{};
  tarvolin::device::ReadDefaultLayout(channel, layout.data());
  context.default_key_map.Set(layout);
  tarvolin::profiles::BuildDefaultProfileSet(context.edited);
  FillMacros(context.edited, settings.MacroSpaceBytes());

  keyboard.traffic().Clear();
  start = Clock::now();
  const int result = tarvolin::model::ApplyConfig(context, 1);
  const double apply_ms = MillisecondsSince(start);
  const double reports = static_cast<double>(keyboard.traffic().Requests().size());

  std::printf("apply result              %d\n", result);
  std::printf("macros                    %zu\n", context.edited.macros.size());
  std::printf("reports per apply         %.0f\n", reports);
  std::printf("bare transaction          %.4f ms\n", per_transaction_ms);
  std::printf("apply / (reports x bare)  %.2f\n", apply_ms / (reports * per_transaction_ms));
  for (int polling_ms : {1, 2, 8}) {
    std::printf("at %d ms per report        %.0f ms\n", polling_ms, reports * polling_ms);
  }
  bool all_applied = result == 1;
  for (int i = 1; i < argc; ++i) {
    const int latency_ms = std::atoi(argv[i]);
    if (latency_ms <= 0 || latency_ms > 100) {
      std::fprintf(stderr, "latency %s: 1..100 ms\n", argv[i]);
      return 64;
    }
    keyboard.firmware().SetFaults({.latency_ms = static_cast<std::uint32_t>(latency_ms)});
    keyboard.traffic().Clear();
    start = Clock::now();
    const int slow_result = tarvolin::model::ApplyConfig(context, 1);
    const double slow_ms = MillisecondsSince(start);
    const double slow_reports = static_cast<double>(keyboard.traffic().Requests().size());
    keyboard.firmware().SetFaults({});
    all_applied = all_applied && slow_result == 1;
    std::printf("latency %d ms: apply %.0f ms for %.0f reports, floor %.0f ms, ratio %.3f\n",
                latency_ms, slow_ms, slow_reports, slow_reports * latency_ms,
                slow_ms / (slow_reports * latency_ms));
  }
  keyboard.Drain();
  return all_applied ? 0 : 1;
}
