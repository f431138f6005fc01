#pragma once
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/device_channel.h"

namespace tarvolin::ctl {

// Exit codes: 0 success; device results map to their own codes so scripts can tell them apart.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;       // a routine returned failure (0) without a device code
inline constexpr int kExitNoKeyboard = 2;    // result 0
inline constexpr int kExitWriteRefused = 3;  // -1
inline constexpr int kExitNoReply = 4;       // -2
inline constexpr int kExitRefused = 5;       // -102
inline constexpr int kExitBusy = 6;          // -103
inline constexpr int kExitBadBlock = 7;      // -201
inline constexpr int kExitUsage = 64;

// Exit code of a device result code (1, 0, -1, -2, -102, -103, -201).
int ExitCodeOf(int result);

struct CtlContext {
  device::DeviceChannel& channel;
  std::ostream& out;
  std::ostream& err;
};

using Args = std::span<const std::string>;

struct CtlCommand {
  std::string_view name;   // first word(s) on the command line, e.g. "info" or "lighting"
  std::string_view usage;  // shown by `tarvolinctl help`
  int (*run)(CtlContext& context, Args args);  // args after the name
  bool needs_keyboard = true;  // false for commands that work on tables or files alone
};

// Each group of commands lives in a file of its own.
std::vector<CtlCommand> DeviceCommands();
std::vector<CtlCommand> WatchCommands();
std::vector<CtlCommand> LightingCommands();
std::vector<CtlCommand> ModelCommands();
std::vector<CtlCommand> ProfileCommands();

// Bytes shown and read as hex pairs (hex_text.cpp).
std::string Hex(const std::uint8_t* data, std::size_t size, std::size_t per_line = 0);
bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes);

}  // namespace tarvolin::ctl
