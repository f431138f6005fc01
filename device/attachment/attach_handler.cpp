#include "device/attachment/device_events_core.h"
#include "device/commands.h"
#include "device/settings_block.h"

namespace tarvolin::attachment {
namespace {

// True when the keyboard was reported gone after notice `notice`: a later run handles
// that, and the plug run after it reads the keyboard again.
bool UnpluggedSince(const DeviceEvents::Core& core, std::uint64_t notice) {
  return core.last_unplug_notice.load() > notice;
}

// The keyboard's default layout and its macro space. Neither failure stops the run: the
// window reloads all the same. A read that failed because the keyboard went away is not
// worth a message: the user pulled it, and a storm of plugs would stack one up per cycle.
void ReadKeyboardBasics(DeviceEvents::Core& core, std::uint64_t notice) {
  DeviceEventsContext& c = core.context;
  model::KeyMapBlock layout{};
  if (device::ReadDefaultLayout(c.channel, layout.data()) == device::kResultOk) {
    c.default_key_map.Set(layout);
  } else if (!UnpluggedSince(core, notice) && c.channel.DeviceCount() > 0) {
    core.gate.Run([&c] {
      c.prompter.Ask(c.texts.Text(TextKey::MAIN_DEFAULT_MATRIX_PROMPT), PromptButtons::kOk);
    });
  }
  device::SettingsBlock settings;
  if (device::ReadSettings(c.channel, settings) == device::kResultOk) {
    c.app_state.macro_space.store(settings.MacroSpaceBytes());
  }
}

// False when the gate closed while waiting.
bool WaitForTray(DeviceEvents::Core& core) {
  for (;;) {
    bool ready = false;
    if (!core.gate.Run([&] { ready = core.context.window.IsTrayReady(); })) return false;
    if (ready) return true;
    core.context.clock.SleepMs(kTrayReadyPollMs);
  }
}

}  // namespace

void RunAttach(DeviceEvents::Core& core, int n, std::uint64_t notice) {
  DeviceEventsContext& c = core.context;
  if (!core.gate.IsOpen()) return;
  // A later notice waits behind this one: only the newest count matters, and a plug storm
  // would otherwise queue runs (each a thread) faster than they end. An unplug passed over
  // is remembered, so the plug run after it still hides and reloads.
  if (core.notices.load() != notice) {
    if (n == 0) core.unplug_passed_over.store(true);
    return;
  }
  const bool passed_over = core.unplug_passed_over.exchange(false);
  const int last = c.app_state.keyboard_attached.load();
  // While the keyboard counted as attached, an unplug passed over still owes its hide, and
  // the keyboard that came back its reload.
  const bool replugged = n > 0 && passed_over && last > 0;
  // The count handled last: a notification that changes nothing does nothing.
  if (n == last && !replugged) return;

  if (n > 0) {
    if (replugged) {
      c.app_state.cached_profile.store(-1);
      core.gate.Run([&c] { c.window.Hide(); });
    }
    // Reading a keyboard that has already left again only costs time; the run of that
    // unplug follows and keeps the presence in step.
    if (!UnpluggedSince(core, notice)) ReadKeyboardBasics(core, notice);
    if (!UnpluggedSince(core, notice)) core.gate.Run([&c] { c.window.SendProfileReload(); });
  } else {
    c.app_state.cached_profile.store(-1);
    core.gate.Run([&c] { c.window.Hide(); });
  }

  if (!WaitForTray(core)) return;
  const int icon = n > 0 ? kIconKeyboardAttached : kIconKeyboardAbsent;
  {
    // A macro-state worker must not put back an older presence icon in between.
    MacroStateTurn turn(core);
    core.presence_icon.store(icon);
    core.gate.Run([&c, icon] { c.window.ShowTrayIcon(icon); });
  }
  c.app_state.keyboard_attached.store(n);

  if (c.app_state.auto_show_done.load() == 0) {
    if (n > 0) core.gate.Run([&c] { c.window.PostOpen(); });
    c.app_state.auto_show_done.store(1);
  }
}

}  // namespace tarvolin::attachment
