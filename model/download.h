#pragma once
#include "app/app_state.h"
#include "device/device_channel.h"
#include "model/config_state.h"
#include "platform/prompt.h"

// Writing the configuration to the keyboard: Apply copies the edited configuration into the
// applied one and downloads it as the macro image and the key-map blocks.

namespace tarvolin::model {

// What the download reaches: the keyboard, the message boxes and the process-wide records
// (tests point these at their own).
struct ConfigContext {
  device::DeviceChannel& channel;
  Prompter& prompter;
  EditedConfig& edited = TheEditedConfig();
  AppliedConfig& applied = TheAppliedConfig();
  DefaultKeyMap& default_key_map = TheDefaultKeyMap();
  AppState& app_state = TheAppState();
};

// The keyboard's active hardware profile, cached in AppState; -1 when the keyboard does not
// answer (the cache then stays empty).
int QueryActiveProfile(device::DeviceChannel& channel, AppState& app_state = TheAppState());

// Copies the EditedConfig into the AppliedConfig and downloads it: all = 1 writes the three
// hardware profiles, all = 0 only the active one. Callers hold the EditedConfig's lock and
// save the profile file first. 1 on success, 0 on failure.
int ApplyConfig(ConfigContext& context, int all);

// The download proper, from the AppliedConfig alone. 1 when the last key-map block was
// written, 0 otherwise (also when nothing was sent, as before the keyboard's default layout
// has been read). When the new macro list moves macros of the keyboard's known order, a
// single-profile download also rewrites the other hardware profiles' blocks as read back,
// with only their macro positions moved; it then succeeds only when those were written too,
// and sends nothing when one of them cannot be read.
int DownloadKeyConfig(ConfigContext& context, int all);

}  // namespace tarvolin::model
