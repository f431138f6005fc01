#include "profiles/win32/profile_menu_commands.h"

#include "profiles/import_export.h"
#include "profiles/win32/profile_file_dialog.h"

namespace tarvolin::profiles::win32 {

bool ImportProfile(HWND owner, ProfileContext& context,
                   const std::function<void()>& refresh_key_buttons) {
  const auto path = ShowFileDialog(owner, OpenProfileRequest());
  if (!path) return false;
  return ImportProfileFrom(context, *path, refresh_key_buttons).loaded;
}

void ExportProfile(HWND owner, ProfileContext& context) {
  if (const auto path = ShowFileDialog(owner, SaveProfileRequest())) {
    ExportProfileTo(context, *path);
  }
}

}  // namespace tarvolin::profiles::win32
