#pragma once
#include <cstdint>

#include "device/device_channel.h"
#include "lighting/lighting_state.h"
#include "lighting/panel_reaction.h"
#include "platform/ini_store.h"

namespace tarvolin::lighting {

// Where the lighting code finds its texts and keeps its per-user setting.
struct LightingSources {
  const IniStore& skin;           // the main skin file: effect names
  const IniStore& language_file;  // LANGUAGE/language picks the names' section
  IniStore& user_settings;        // wskb.ini in the per-user data folder
};

// Return values of ReadLighting.
inline constexpr int kReadDone = 0;
inline constexpr int kReadNoSettings = -1;

// The operations behind the lighting panel, the lamp switch, the report-rate buttons and the
// key marks. Each user change is sent to the keyboard at once and answered with the panel's
// reaction. Runs on the user-interface thread.
class LightingController {
 public:
  LightingController(device::DeviceChannel& channel, const LightingSources& sources);

  const LightingState& state() const { return state_; }

  // --- Reading from the keyboard ---

  // The lighting read: settings block, key masks (when the keyboard keeps them), the three
  // records, then the lighting mode. kReadNoSettings when the settings block cannot be read;
  // the effect list is then empty and the rest of the state unchanged.
  int ReadLighting();
  // The panel as the state says: effect list, buttons, sliders, lamp, marks, visibility.
  PanelUpdate Refresh();

  // The main window's reload after a keyboard was attached: the keyboard's active profile
  // becomes the selected one, then read and refresh.
  PanelUpdate OnKeyboardAttached();
  // Timer 1051, started when the keyboard reported a lighting change: read and refresh.
  PanelUpdate OnLightingChangedTimer();
  // A profile button: select, read, refresh, and leave lighting mode.
  PanelUpdate SelectProfile(int profile);

  // --- Changes made by the user ---

  // The effect list's selection changed to `position`.
  PanelUpdate SelectEffectPosition(int position);
  // Message 0x28D1 from a slider: 1178 brightness, 1179 speed.
  PanelUpdate MoveSlider(int control_id, int position);
  PanelUpdate MoveBrightnessSlider(int position);
  PanelUpdate MoveSpeedSlider(int position);
  // kDirectionLeft (0xFF) or kDirectionRight (0x00).
  PanelUpdate ChooseDirection(std::uint8_t direction);
  // Report-rate buttons 1..4 as index 0..3.
  PanelUpdate ChooseReportRate(int button_index);
  // User mode list position 0..3.
  PanelUpdate ChooseUserMode(int list_position);
  // kToolPaint or kToolErase.
  PanelUpdate ChooseTool(std::uint8_t tool);

  // The lamp picture.
  PanelUpdate ToggleLightingMode();
  PanelUpdate SetLightingMode(bool on);

  // The lighting part of restore defaults, run only in lighting mode; nothing otherwise.
  PanelUpdate OnRestoreDefaults();
  // Effect 5, the default record and, where kept, the default masks for the selected profile.
  PanelUpdate ResetLighting();

  // --- Key marks of the per-key effect ---

  // A click on a key button, G1..G5 or Fn in lighting mode: paint or erase its mark.
  PanelUpdate ClickMarkButton(int button_id);
  // All keys on or off in the selected user mode.
  PanelUpdate FillMask();
  PanelUpdate ClearMask();
  // Frames of every mark button by the selected profile's mask of the selected user mode.
  std::vector<ButtonFrame> MarkFrames() const;

 private:
  int ReadLighting(bool adopt_active_profile);
  PanelUpdate RunEffectChange(std::uint8_t effect, int position);
  PanelUpdate SetWholeMask(std::uint8_t value);
  bool MarksEditable() const;
  void WriteField(std::uint8_t offset, std::uint8_t value);
  std::optional<int> SelectedEffect() const;
  PanelUpdate MarkRepaint() const;

  device::DeviceChannel& channel_;
  LightingSources sources_;
  LightingState state_;
};

// The language value of the language file (LANGUAGE/language, decimal; missing reads as 0).
int LanguageSetting(const IniStore& language_file);

}  // namespace tarvolin::lighting
