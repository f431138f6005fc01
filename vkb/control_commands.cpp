#include "vkb/control_commands.h"

#include <iomanip>
#include <sstream>
#include <vector>

#include "platform/number_text.h"
#include "vkb/state_file.h"

namespace tarvolin::vkb {
namespace {

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::istringstream in{std::string(line)};
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string Event(KeyboardDevice& keyboard, std::uint16_t code) {
  keyboard.SendEvent(code);
  return "ok";
}

}  // namespace

std::string ControlUsage() {
  return "plug | unplug | bank | lighting | macro-start | macro-stop | event CODE\n"
         "effects N[,N...] | macro-space UNITS | product-id ID | active-profile N\n"
         "fault drop|busy|refuse|wrong|stray N | latency MS | faults-clear\n"
         "dump | traffic PATH | traffic-off | reset | status | shutdown\n";
}

bool ChangesMemory(std::string_view line) {
  const auto words = Words(line);
  if (words.empty()) return false;
  const std::string& verb = words[0];
  return verb == "effects" || verb == "macro-space" || verb == "active-profile" || verb == "reset";
}

std::string RunControlCommand(KeyboardDevice& keyboard, std::string_view line) {
  const auto words = Words(line);
  if (words.empty()) return "error: empty command";
  const std::string& verb = words[0];
  long value = 0;
  auto need = [&](std::size_t count) { return words.size() == count; };

  if (verb == "plug" && need(1)) {
    keyboard.Plug();
    return "ok";
  }
  if (verb == "unplug" && need(1)) {
    keyboard.Unplug();
    return "ok";
  }
  if (verb == "bank" && need(1)) return Event(keyboard, 0x02FF);
  if (verb == "lighting" && need(1)) return Event(keyboard, 0x0401);
  if (verb == "macro-start" && need(1)) return Event(keyboard, 0x1811);
  if (verb == "macro-stop" && need(1)) return Event(keyboard, 0x1810);
  if (verb == "event" && need(2)) {
    if (!ParseNumber(words[1], 0, 0xFFFF, value)) return "error: event code is 0..0xFFFF";
    return Event(keyboard, static_cast<std::uint16_t>(value));
  }
  if (verb == "effects" && need(2)) {
    std::vector<std::uint8_t> effects;
    std::stringstream list(words[1]);
    for (std::string item; std::getline(list, item, ',');) {
      if (!ParseNumber(item, 0, 255, value)) return "error: effects are numbers 0..255";
      effects.push_back(static_cast<std::uint8_t>(value));
    }
    if (effects.size() > device::SettingsBlock::kEffectListSize) {
      return "error: at most 32 effects";
    }
    keyboard.firmware().Edit([&](FirmwareMemory& m) {
      for (std::size_t i = 0; i < device::SettingsBlock::kEffectListSize; ++i) {
        m.settings.bytes[device::SettingsBlock::kOffsetEffectList + i] =
            i < effects.size() ? effects[i] : 0;
      }
    });
    return "ok";
  }
  if (verb == "macro-space" && need(2)) {
    if (!ParseNumber(words[1], 0, 255, value))
      return "error: macro space is 0..255 units of 128 bytes";
    keyboard.firmware().Edit([&](FirmwareMemory& m) {
      m.settings.bytes[device::SettingsBlock::kOffsetMacroSpace] = static_cast<std::uint8_t>(value);
    });
    return "ok";
  }
  if (verb == "active-profile" && need(2)) {
    if (!ParseNumber(words[1], 0, 2, value)) return "error: profile is 0..2";
    keyboard.firmware().Edit(
        [&](FirmwareMemory& m) { m.settings.SetActiveProfile(static_cast<int>(value)); });
    return "ok";
  }
  if (verb == "product-id" && need(2)) {
    if (!ParseNumber(words[1], 0, 0xFFFF, value)) return "error: product id is 0..0xFFFF";
    keyboard.SetProductId(static_cast<std::uint16_t>(value));
    return "ok";
  }
  if (verb == "fault" && need(3)) {
    if (!ParseNumber(words[2], 0, 1000000, value)) return "error: count is a number";
    FaultPlan plan = keyboard.firmware().Faults();
    const int n = static_cast<int>(value);
    if (words[1] == "drop") {
      plan.drop_replies = n;
    } else if (words[1] == "busy") {
      plan.busy_replies = n;
    } else if (words[1] == "refuse") {
      plan.refused_replies = n;
    } else if (words[1] == "wrong") {
      plan.wrong_command_replies = n;
    } else if (words[1] == "stray") {
      plan.stray_reports = n;
    } else {
      return "error: fault is drop, busy, refuse, wrong or stray";
    }
    keyboard.firmware().SetFaults(plan);
    return "ok";
  }
  if (verb == "latency" && need(2)) {
    if (!ParseNumber(words[1], 0, 5000, value)) return "error: latency is 0..5000 ms";
    FaultPlan plan = keyboard.firmware().Faults();
    plan.latency_ms = static_cast<std::uint32_t>(value);
    keyboard.firmware().SetFaults(plan);
    return "ok";
  }
  if (verb == "faults-clear" && need(1)) {
    keyboard.firmware().SetFaults(FaultPlan{});
    return "ok";
  }
  if (verb == "dump" && need(1)) return MemoryToJson(keyboard.firmware().Snapshot());
  if (verb == "traffic" && need(2)) {
    keyboard.traffic().SetFile(words[1]);
    return "ok";
  }
  if (verb == "traffic-off" && need(1)) {
    keyboard.traffic().SetFile("");
    return "ok";
  }
  if (verb == "reset" && need(1)) {
    keyboard.firmware().ResetToFactory();
    return "ok";
  }
  if (verb == "status" && need(1)) {
    const auto memory = keyboard.firmware().Snapshot();
    std::ostringstream out;
    out << "plugged " << (keyboard.plugged() ? 1 : 0) << "\nproduct-id 0x" << std::hex
        << keyboard.product_id() << std::dec << "\nactive-profile "
        << memory.settings.ActiveProfile() << "\nmacro-space "
        << static_cast<int>(memory.settings.bytes[device::SettingsBlock::kOffsetMacroSpace])
        << "\nrequests " << keyboard.traffic().Requests().size() << "\nindicator";
    for (std::uint8_t byte : keyboard.LastStatusBytes()) {
      out << ' ' << std::hex << std::setw(2) << std::setfill('0') << int{byte};
    }
    return out.str();
  }
  return "error: unknown command or wrong arguments; commands:\n" + ControlUsage();
}

}  // namespace tarvolin::vkb
