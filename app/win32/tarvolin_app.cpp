#include "app/win32/tarvolin_app.h"

#include <commctrl.h>
#include <objbase.h>

#include <vector>

#include "app/program_paths.h"
#include "app/win32/quiet_exit.h"
#include "app/win32/startup_checks.h"
#include "i18n/language_loader.h"
#include "model/config_state.h"
#include "model/model_text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ini_store.h"
#include "ui/dialogs/composite/composite_editor.h"
#include "ui/main/tarvolin_dlg.h"
#include "ui/skin/gdiplus_session.h"
#include "ui/skin/ole_session.h"

namespace tarvolin::app {
namespace {

std::wstring ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

// The device channel lives as long as the process: the HID library, which is never unloaded,
// keeps calling into it from its own thread until the process ends.
device::DeviceChannel& TheDeviceChannel() {
  static auto* channel = new device::DeviceChannel();
  return *channel;
}

}  // namespace

BOOL CTarvolinApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  skin::OleSession ole;
  skin::GdiplusSession gdiplus;
  if (!gdiplus.IsStarted()) ExitQuietly(L"GDI+ could not be started");

  // 1. The settings key is named by the registry store the main window uses.
  // 2. Program paths.
  SetThePaths(BuildProgramPaths(ExecutablePath()));
  // 3. Texts, before any window exists.
  LoadLanguageTable(
      win32::Win32IniStore(win32::FromWide(ThePaths().skin_folder + L"language.ini")));
  // Key names, media names and tooltips of the model come from the same texts.
  model::SetModelTextLookup(LanguageTextByName);
  // 4. The two configuration locks exist from here on (edit state first).
  model::TheEditedConfig();
  model::TheAppliedConfig();
  // 5. The start-up checks, then the main window, run modally.
  StartupOutcome outcome = RunStartupChecks(CommandLineArguments());
  composite::CompositeEditor editor;
  {
    mainwnd::CTarvolinDlg dialog(TheDeviceChannel(), std::move(outcome.instance_mutex),
                                 outcome.start_hidden, editor);
    editor.SetHost(dialog);
    dialog.DoModal();
    // 6. Every window of the desktop is repainted where ours was.
    InvalidateRect(nullptr, nullptr, TRUE);
  }
  return FALSE;
}

}  // namespace tarvolin::app
