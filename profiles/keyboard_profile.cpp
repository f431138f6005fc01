#include "profiles/keyboard_profile.h"

#include <array>
#include <cstring>
#include <new>

#include "device/commands.h"
#include "model/key_map.h"
#include "model/macro_image.h"
#include "platform/little_endian.h"
#include "profiles/file_io.h"
#include "profiles/profile_file_format.h"

namespace tarvolin::profiles {
namespace {

// The keyboard's macros: none when its area does not start with the image's marker.
bool ReadKeyboardMacros(device::DeviceChannel& channel, std::vector<model::MacroRecord>& macros) {
  macros.clear();
  std::array<std::uint8_t, model::kMacroImageHeaderSize> head{};
  if (device::ReadMacros(channel, head.data(), head.size()) != device::kResultOk) return false;
  if (ReadU16Le(head, 0) != model::kMacroImageMagic) return true;
  std::vector<std::uint8_t> image(ReadU16Le(head, 2));
  if (device::ReadMacros(channel, image.data(), image.size()) != device::kResultOk) return false;
  return model::ParseMacroImage(image, macros);
}

}  // namespace

std::vector<std::uint8_t> ProfileFileFromKeyboard(model::ConfigContext& config) {
  // Against a layout never read every key would look reassigned or default at random.
  if (!config.default_key_map.IsRead()) return {};
  try {
    std::array<model::KeyMapBlock, model::kHardwareProfileCount> blocks{};
    for (int g = 0; g < model::kHardwareProfileCount; ++g) {
      if (device::ReadKeyMap(config.channel, g, blocks[static_cast<std::size_t>(g)].data()) !=
          device::kResultOk) {
        return {};
      }
    }
    std::vector<model::MacroRecord> macros;
    if (!ReadKeyboardMacros(config.channel, macros)) return {};

    auto set = std::make_unique<model::ProfileSet>();
    model::WriteProfileHeader(*set, static_cast<std::uint16_t>(macros.size()), 0);
    model::WriteProfileSetDescriptor(*set);
    const model::KeyMapBlock defaults = config.default_key_map.Get();
    for (int g = 0; g < model::kHardwareProfileCount; ++g) {
      model::ImportKeyMapBlock(set->Profile(g), blocks[static_cast<std::size_t>(g)], defaults);
    }

    std::vector<std::uint8_t> file(kProfileSetBytes + kMacroRecordBytes * macros.size());
    std::memcpy(file.data(), set.get(), kProfileSetBytes);
    if (!macros.empty()) {
      std::memcpy(file.data() + kProfileSetBytes, macros.data(), kMacroRecordBytes * macros.size());
    }
    return file;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

int ReadProfileFromKeyboard(model::ConfigContext& config, const std::filesystem::path& path) {
  const int active = model::QueryActiveProfile(config.channel, config.app_state);
  if (!model::IsValidProfile(active)) return 0;
  const std::vector<std::uint8_t> file = ProfileFileFromKeyboard(config);
  if (file.empty()) return 0;
  return ReplaceFileContents(path, {file}) ? 1 : 0;
}

void SetActiveProfile(device::DeviceChannel& channel, AppState& app_state, int index) {
  if (index < 0) return;
  device::SettingsBlock block;
  if (device::ReadSettings(channel, block) != device::kResultOk) return;
  block.SetActiveProfile(index & 0xFF);
  if (device::WriteSettings(channel, block) == device::kResultOk) {
    app_state.cached_profile.store(block.ActiveProfile());
  } else {
    app_state.cached_profile.store(-1);
  }
}

}  // namespace tarvolin::profiles
