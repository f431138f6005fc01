// tarvolinctl info, read-keymap, read-default-layout, raw.
#include <array>

#include "device/commands.h"
#include "lighting/key_masks.h"
#include "lighting/lighting_record.h"
#include "platform/number_text.h"
#include "tools/tarvolinctl/ctl_command.h"

namespace tarvolin::ctl {
namespace {

int Report(CtlContext& context, int result, const char* what) {
  if (result != 1) context.err << what << " failed with result " << result << '\n';
  return ExitCodeOf(result);
}

int Info(CtlContext& context, Args args) {
  if (!args.empty()) return kExitUsage;
  const int count = context.channel.DeviceCount();
  context.out << "devices: " << count << '\n';
  if (count <= 0) return kExitNoKeyboard;
  device::SettingsBlock block;
  const int result = device::ReadSettings(context.channel, block);
  if (result != 1) return Report(context, result, "ReadSettings");
  context.out << "active profile: " << block.ActiveProfile() << '\n'
              << "macro space: " << block.MacroSpaceBytes() << " bytes ("
              << int{block.bytes[device::SettingsBlock::kOffsetMacroSpace]} << " x 128)\n"
              << "effects:";
  bool per_key = false;
  for (std::uint8_t effect : block.EffectList()) {
    if (effect == 0) continue;
    context.out << ' ' << int{effect};
    per_key = per_key || effect == device::SettingsBlock::kPerKeyColourEffect;
  }
  context.out << "\nper-key colours: " << (per_key ? "yes" : "no") << '\n'
              << "settings block: " << Hex(block.bytes.data(), block.bytes.size()) << '\n';
  return kExitOk;
}

void PrintEntries(CtlContext& context, const std::uint8_t* block) {
  for (std::size_t k = 0; k < 126; ++k) {
    char line[48];
    std::snprintf(line, sizeof line, "%3zu: [%u, 0x%02X, 0x%02X]\n", k, block[3 * k],
                  block[3 * k + 1], block[3 * k + 2]);
    context.out << line;
  }
}

int PrintBlock(CtlContext& context, Args options, const std::array<std::uint8_t, 512>& block) {
  if (!options.empty() && options[0] == "--entries") {
    PrintEntries(context, block.data());
  } else {
    context.out << Hex(block.data(), block.size(), 16) << '\n';
  }
  return kExitOk;
}

int ReadKeymapCommand(CtlContext& context, Args args) {
  long block = 0;
  if (args.empty() || args.size() > 2 || !ParseNumber(args[0], -1000, 1000, block))
    return kExitUsage;
  std::array<std::uint8_t, 512> data{};
  const int result = device::ReadKeyMap(context.channel, static_cast<int>(block), data.data());
  if (result != 1) return Report(context, result, "ReadKeyMap");
  return PrintBlock(context, args.subspan(1), data);
}

int ReadDefaultLayoutCommand(CtlContext& context, Args args) {
  if (args.size() > 1) return kExitUsage;
  std::array<std::uint8_t, 512> data{};
  const int result = device::ReadDefaultLayout(context.channel, data.data());
  if (result != 1) return Report(context, result, "ReadDefaultLayout");
  return PrintBlock(context, args, data);
}

// The keyboard's areas, so an offset or length that leaves one is refused before anything
// is sent (the 16-bit address would otherwise wrap into another profile's bytes).
constexpr long kLightingArea = static_cast<long>(lighting::kLightingAreaSize);  // 126
constexpr long kKeyColourPage = static_cast<long>(lighting::kMaskPageSize);     // 180
constexpr long kMacroAreaMax = 255 * 128;

int Raw(CtlContext& context, Args args) {
  long command = 0;
  if (args.empty() || !ParseNumber(args[0], 1, 17, command)) return kExitUsage;
  auto& channel = context.channel;
  auto number = [&](std::size_t i, long min, long max, long& value) {
    return i < args.size() && ParseNumber(args[i], min, max, value);
  };
  std::vector<std::uint8_t> bytes;
  auto hex = [&](std::size_t i) { return i < args.size() && ParseHexBytes(args[i], bytes); };
  std::array<std::uint8_t, 512> buffer{};
  long a = 0, b = 0, c = 0;
  int result = kExitUsage;
  std::size_t shown = 0;
  switch (command) {
    case 1:
      result = device::Begin(channel);
      break;
    case 2:
      result = device::End(channel);
      break;
    case 3: {
      device::SettingsBlock block;
      result = device::ReadSettings(channel, block);
      std::copy(block.bytes.begin(), block.bytes.end(), buffer.begin());
      shown = block.bytes.size();
      break;
    }
    case 4: {
      if (!hex(1) || bytes.size() != 48) return kExitUsage;
      device::SettingsBlock block;
      std::copy(bytes.begin(), bytes.end(), block.bytes.begin());
      result = device::WriteSettings(channel, block);
      break;
    }
    case 5:
      // A read may reach past the area's end (the keyboard answers zeros) but starts in it.
      if (!number(1, 0, 56, a) || !number(2, 0, kLightingArea - 1, b)) return kExitUsage;
      result = device::ReadLighting(channel, buffer.data(), static_cast<std::uint8_t>(a),
                                    static_cast<std::uint16_t>(b));
      shown = 56;
      break;
    case 6:
      if (!number(1, 0, kLightingArea - 1, a) || !hex(2) || bytes.size() > 56 ||
          a + static_cast<long>(bytes.size()) > kLightingArea) {
        return kExitUsage;
      }
      result = device::WriteLighting(channel, bytes.data(), static_cast<std::uint8_t>(bytes.size()),
                                     static_cast<std::uint16_t>(a));
      break;
    case 7:
      if (!number(1, -1000, 1000, a)) return kExitUsage;
      result = device::ReadKeyMap(channel, static_cast<int>(a), buffer.data());
      shown = 512;
      break;
    case 8:
      if (!number(1, -1000, 1000, a) || !hex(2) || bytes.size() != 512) return kExitUsage;
      result = device::WriteKeyMap(channel, static_cast<int>(a), bytes.data());
      break;
    case 9: {
      if (!number(1, 0, kMacroAreaMax, a)) return kExitUsage;
      std::vector<std::uint8_t> area(static_cast<std::size_t>(a));
      result = device::ReadMacros(channel, area.data(), area.size());
      if (result == 1) context.out << Hex(area.data(), area.size(), 16) << '\n';
      break;
    }
    case 10:
      if (!hex(1) || static_cast<long>(bytes.size()) > kMacroAreaMax) return kExitUsage;
      result = device::WriteMacros(channel, bytes.data(), bytes.size());
      break;
    case 15:
      result = device::ReadDefaultLayout(channel, buffer.data());
      shown = 512;
      break;
    case 16:
      if (!number(1, 0, 56, a) || !number(2, 0, kKeyColourPage - 1, b) || !number(3, 0, 2, c)) {
        return kExitUsage;
      }
      result = device::ReadKeyColours(channel, buffer.data(), static_cast<std::uint8_t>(a),
                                      static_cast<std::uint16_t>(b), static_cast<int>(c));
      shown = 56;
      break;
    case 17:
      // The write must stay inside the profile's page.
      if (!number(1, 0, kKeyColourPage - 1, a) || !number(2, 0, 2, b) || !hex(3) ||
          bytes.size() > 56 || a + static_cast<long>(bytes.size()) > kKeyColourPage) {
        return kExitUsage;
      }
      result =
          device::WriteKeyColours(channel, bytes.data(), static_cast<std::uint8_t>(bytes.size()),
                                  static_cast<std::uint16_t>(a), static_cast<int>(b));
      break;
    default:
      context.err << "command " << command << " does not exist (1-10, 15-17)\n";
      return kExitUsage;
  }
  if (result == 1 && shown > 0) context.out << Hex(buffer.data(), shown, 16) << '\n';
  context.out << "result " << result << '\n';
  return ExitCodeOf(result);
}

}  // namespace

std::vector<CtlCommand> DeviceCommands() {
  return {
      {"info", "info                      device count and the decoded settings block", &Info},
      {"read-keymap", "read-keymap N [--entries]  key-map block of profile N (hex or entries)",
       &ReadKeymapCommand},
      {"read-default-layout", "read-default-layout [--entries]", &ReadDefaultLayoutCommand},
      {"raw",
       "raw CMD [ARGS]            any keyboard command:\n"
       "      1 | 2 | 3 | 4 HEX48 | 5 LEN ADDR | 6 ADDR HEX | 7 BLOCK | 8 BLOCK HEX512\n"
       "      9 LEN | 10 HEX | 15 | 16 LEN OFFSET PAGE | 17 OFFSET PROFILE HEX",
       &Raw},
  };
}

}  // namespace tarvolin::ctl
