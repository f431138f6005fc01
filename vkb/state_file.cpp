#include "vkb/state_file.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/little_endian.h"
#include "platform/replace_file.h"

namespace tarvolin::vkb {
namespace {

constexpr char kMagic[4] = {'T', 'V', 'K', 'B'};
constexpr std::uint32_t kVersion = 1;

template <typename Area>
void Append(std::vector<std::uint8_t>& out, const Area& area) {
  out.insert(out.end(), area.begin(), area.end());
}

template <typename Area>
bool Take(const std::vector<std::uint8_t>& in, std::size_t& at, Area& area) {
  if (in.size() - at < area.size()) return false;
  std::memcpy(area.data(), in.data() + at, area.size());
  at += area.size();
  return true;
}

std::string Hex(const std::uint8_t* data, std::size_t size) {
  std::string text;
  text.reserve(size * 2);
  for (std::size_t i = 0; i < size; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", data[i]);
    text += pair;
  }
  return text;
}

}  // namespace

bool SaveStateFile(const std::filesystem::path& path, const FirmwareMemory& memory) {
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(kVersion >> (8 * i)));
  Append(out, memory.settings.bytes);
  Append(out, memory.key_maps);
  Append(out, memory.default_layout);
  Append(out, memory.macros);
  Append(out, memory.lighting);
  Append(out, memory.key_colours);
  return ReplaceFileAtomically(path, {out});
}

StateFileLoad LoadStateFile(const std::filesystem::path& path) {
  StateFileLoad load;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return load;
  // On Windows a file that is being replaced cannot be opened for a moment: try again
  // briefly before calling it unreadable (which is not damaged: nothing is known of it).
  std::ifstream file;
  for (int tries = 0; tries < 50; ++tries) {
    file.open(path, std::ios::binary);
    if (file) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(4));
  }
  load.status = StateFileStatus::kUnreadable;
  if (!file) return load;
  std::vector<std::uint8_t> in((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
  if (file.bad()) return load;
  load.status = StateFileStatus::kDamaged;
  if (in.size() < 8 || std::memcmp(in.data(), kMagic, 4) != 0) return load;
  const std::uint32_t version = ReadU32Le(in, 4);
  if (version != kVersion) return load;
  FirmwareMemory memory;
  std::size_t at = 8;
  if (!Take(in, at, memory.settings.bytes) || !Take(in, at, memory.key_maps) ||
      !Take(in, at, memory.default_layout) || !Take(in, at, memory.macros) ||
      !Take(in, at, memory.lighting) || !Take(in, at, memory.key_colours) || at != in.size()) {
    return load;
  }
  load.status = StateFileStatus::kLoaded;
  load.memory = std::move(memory);
  return load;
}

std::filesystem::path SetDamagedStateFileAside(const std::filesystem::path& path) {
  for (int n = 1; n < 1000; ++n) {
    std::filesystem::path aside = path;
    aside += n == 1 ? std::string(".damaged") : ".damaged-" + std::to_string(n);
    std::error_code error;
    if (std::filesystem::exists(aside, error) || error) continue;
    std::filesystem::rename(path, aside, error);
    return error ? std::filesystem::path() : aside;
  }
  return {};
}

std::string MemoryToJson(const FirmwareMemory& memory) {
  std::string json = "{\n";
  json += "  \"active_profile\": " + std::to_string(memory.settings.ActiveProfile()) + ",\n";
  json += "  \"macro_space_units\": " +
          std::to_string(memory.settings.bytes[device::SettingsBlock::kOffsetMacroSpace]) + ",\n";
  json += "  \"effect_list\": [";
  bool first = true;
  for (std::uint8_t effect : memory.settings.EffectList()) {
    if (effect == 0) continue;
    json += (first ? "" : ", ") + std::to_string(effect);
    first = false;
  }
  json += "],\n";
  json += "  \"settings\": \"" + Hex(memory.settings.bytes.data(), memory.settings.bytes.size()) +
          "\",\n";
  json += "  \"key_maps\": [";
  for (std::size_t b = 0; b < FirmwareMemory::kKeyMapBlocks; ++b) {
    json +=
        (b ? ", \"" : "\"") +
        Hex(memory.key_maps.data() + b * FirmwareMemory::kBlockSize, FirmwareMemory::kBlockSize) +
        "\"";
  }
  json += "],\n";
  json += "  \"default_layout\": \"" +
          Hex(memory.default_layout.data(), memory.default_layout.size()) + "\",\n";
  json += "  \"lighting\": [";
  for (std::size_t p = 0; p < 3; ++p) {
    json += (p ? ", \"" : "\"") +
            Hex(memory.lighting.data() + p * FirmwareMemory::kLightingRecordSize,
                FirmwareMemory::kLightingRecordSize) +
            "\"";
  }
  json += "],\n";
  json += "  \"key_colours\": [";
  for (std::size_t p = 0; p < 3; ++p) {
    json += (p ? ", \"" : "\"") +
            Hex(memory.key_colours.data() + p * FirmwareMemory::kKeyColourPageSize,
                FirmwareMemory::kKeyColourPageSize) +
            "\"";
  }
  json += "],\n";
  const std::size_t macro_bytes = memory.settings.MacroSpaceBytes();
  json += "  \"macros\": \"" +
          Hex(memory.macros.data(), std::min(macro_bytes, memory.macros.size())) + "\"\n";
  json += "}\n";
  return json;
}

}  // namespace tarvolin::vkb
