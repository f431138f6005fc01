// SkinPreview.exe [skin folder]: shows a skin's main window with all of its buttons.
// Without an argument it shows the Skins folder beside the executable.
#include <windows.h>
// The headers below need windows.h first.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "tools/skinpreview/skin_preview_dialog.h"
#include "ui/skin/gdiplus_session.h"
#include "ui/skin/ole_session.h"
#include "ui/skin/program_folder.h"

namespace {

std::wstring SkinFolderFromCommandLine() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring folder;
  if (arguments != nullptr) {
    if (count > 1) folder = arguments[1];
    LocalFree(arguments);
  }
  if (folder.empty()) return tarvolin::skin::DefaultSkinFolder();
  return tarvolin::skin::WithTrailingSlash(folder);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // DLLs come from the system and the program folder, never from the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  tarvolin::skin::OleSession ole;
  tarvolin::skin::GdiplusSession gdiplus;
  if (!gdiplus.IsStarted()) return 0;

  tarvolin::skinpreview::SkinPreviewDialog dialog(SkinFolderFromCommandLine());
  dialog.DoModal();
  return 0;
}
