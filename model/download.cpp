#include "model/download.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#include "device/commands.h"
#include "model/key_map.h"
#include "model/macro_image.h"
#include "model/macro_positions.h"
#include "model/model_text.h"
#include "platform/little_endian.h"

namespace tarvolin::model {
namespace {

bool IsStringType(std::uint16_t type) {
  return type == AssignmentType::kLaunchProgram || type == AssignmentType::kTextBlock;
}

// Packs the texts of launch-program and text-block records into one area in record order;
// each packed record's value becomes its text's offset, as it will be in the profile file.
std::vector<std::uint8_t> PackStrings(EditedConfig& edited, ProfileSet& applied_profiles) {
  std::vector<std::uint8_t> area(applied_profiles.StringBytes(), 0);
  std::size_t offset = 0;
  for (std::size_t i = 0; i < kRecordCount; ++i) {
    KeyAssignment& record = edited.profiles->records[i];
    const StringEntry& entry = edited.String(i);
    if (!IsStringType(record.type) || entry.bytes == 0) continue;
    if (offset + entry.bytes > area.size()) continue;
    for (std::size_t c = 0; c < entry.text.size(); ++c) {
      WriteU16Le(area, offset + 2 * c, entry.text[c]);
    }
    record.value = static_cast<std::uint32_t>(offset);
    applied_profiles.records[i].value = record.value;
    offset += entry.bytes;
  }
  return area;
}

}  // namespace

int QueryActiveProfile(device::DeviceChannel& channel, AppState& app_state) {
  const int cached = app_state.cached_profile.load();
  if (cached != -1) return cached;
  device::SettingsBlock block;
  if (device::ReadSettings(channel, block) != device::kResultOk) return -1;
  const int profile = block.ActiveProfile();
  app_state.cached_profile.store(profile);
  return profile;
}

int ApplyConfig(ConfigContext& context, int all) {
  EditedConfig& edited = context.edited;
  AppliedConfig& applied = context.applied;
  // Callers already hold the edit lock; taking it again keeps the lock order on our side.
  std::lock_guard edit_lock(edited.mutex());
  std::lock_guard apply_lock(applied.mutex());
  try {
    applied.Clear();
    if (!edited.profiles) return 0;
    applied.profiles = std::make_unique<ProfileSet>(*edited.profiles);
    WriteProfileHeader(*applied.profiles, edited.MacroCount(), edited.StringBytes());
    applied.macros = edited.macros;
    applied.string_area = PackStrings(edited, *applied.profiles);
    applied.keyboard_macro_order = edited.keyboard_macro_order;
  } catch (const std::bad_alloc&) {
    applied.Clear();
    return 0;
  }
  const int result = DownloadKeyConfig(context, all);
  edited.keyboard_macro_order = applied.keyboard_macro_order;
  return result;
}

int DownloadKeyConfig(ConfigContext& context, int all) {
  // Blocks built against a layout never read would disable every key of the profile.
  if (!context.default_key_map.IsRead()) return 0;
  AppliedConfig& applied = context.applied;
  const MacroImageSize sizes = MacroImageSizes(applied);
  const std::uint32_t space = context.app_state.macro_space.load();
  if (sizes.without_names > space) {
    context.prompter.Ask(ModelText(text::kMacroTooLong), PromptButtons::kOk);
    return 0;
  }
  const bool with_names = sizes.with_names <= space;
  const std::uint32_t image_size = with_names ? sizes.with_names : sizes.without_names;

  std::vector<int> profiles;
  if (all == 1) {
    profiles = {0, 1, 2};
  } else {
    // Anything but a hardware profile means the keyboard cannot be written meaningfully;
    // nothing is sent rather than macros without their key map.
    const int active = QueryActiveProfile(context.channel, context.app_state);
    if (active < 0 || active >= kHardwareProfileCount) return 0;
    profiles = {active};
  }

  // The blocks to write in profile order; `carried` ones are other profiles read back from
  // the keyboard with their macro positions moved to the new list.
  struct BlockWrite {
    int profile = 0;
    KeyMapBlock block{};
    bool carried = false;
  };
  std::vector<std::uint8_t> image;
  std::vector<BlockWrite> writes;
  std::vector<int> macro_map;  // old position -> new; empty when no position moves
  std::vector<std::uint16_t> new_order;
  KeyMapBlock default_map{};
  try {
    image.resize(image_size);
    default_map = context.default_key_map.Get();
    std::lock_guard lock(applied.mutex());
    if (!applied.profiles) return 0;
    if (!BuildMacroImageFrom(applied.macros, image, static_cast<std::uint16_t>(image_size),
                             with_names)) {
      return 0;
    }
    for (const int profile : profiles) {
      writes.push_back(
          {profile, BuildKeyMapBlock(*applied.profiles, applied.macros, profile, default_map)});
    }
    new_order = MacroIds(applied.macros);
    if (all != 1 && applied.keyboard_macro_order) {
      macro_map = MacroPositionMap(*applied.keyboard_macro_order, applied.macros);
      if (!MacroPositionsShift(macro_map)) macro_map.clear();
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }

  // The new image renumbers the macros under the keys of the profiles not written here. Those
  // blocks are taken from the keyboard (the edited configuration may hold older ones) and only
  // their macro positions change. A block that cannot be read stops the download before
  // anything is written, so the keyboard never plays the wrong macros.
  if (!macro_map.empty()) {
    for (int profile = 0; profile < kHardwareProfileCount; ++profile) {
      if (profile == writes.front().profile) continue;
      BlockWrite carried{profile, {}, true};
      if (device::ReadKeyMap(context.channel, profile, carried.block.data()) != device::kResultOk) {
        return 0;
      }
      if (RemapMacroPositions(carried.block, macro_map, default_map)) {
        writes.push_back(carried);
      }
    }
    std::stable_sort(writes.begin(), writes.end(), [](const BlockWrite& a, const BlockWrite& b) {
      return a.profile < b.profile;
    });
  }

  device::Begin(context.channel);
  const int image_result = device::WriteMacros(context.channel, image.data(), image.size());
  int last_result = 0;
  bool carried_written = true;
  for (const BlockWrite& write : writes) {
    if (write.carried) {
      // Old positions still fit the old image when the new one did not go in.
      const bool written = image_result == device::kResultOk &&
                           device::WriteKeyMap(context.channel, write.profile,
                                               write.block.data()) == device::kResultOk;
      carried_written = carried_written && written;
    } else {
      last_result = device::WriteKeyMap(context.channel, write.profile, write.block.data());
    }
  }
  device::End(context.channel);
  if (image_result == device::kResultOk) {
    std::lock_guard lock(applied.mutex());
    applied.keyboard_macro_order = std::move(new_order);
  }

  if (!with_names) context.prompter.Ask(ModelText(text::kProfileSpaceTight), PromptButtons::kOk);
  return last_result == device::kResultOk && carried_written ? 1 : 0;
}

}  // namespace tarvolin::model
