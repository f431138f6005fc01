#include "ui/tray/tray_menus.h"

#include <array>

#include "app/program_paths.h"
#include "i18n/language_loader.h"
#include "i18n/language_table.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ini_store.h"
#include "ui/main/main_window_ids.h"
#include "ui/skin/menu_handle.h"

namespace tarvolin::tray {
namespace {

struct Item {
  TextKey text;
  UINT command;
};

win32::Win32IniStore LanguageFile() {
  return win32::Win32IniStore(win32::FromWide(app::ThePaths().skin_folder + L"language.ini"));
}

// Sets the item at each position to its text and command; a position past the template's
// end is left out.
void SetItems(HMENU popup, const Item* items, std::size_t count) {
  for (std::size_t position = 0; position < count; ++position) {
    const std::wstring text = win32::ToWide(LanguageText(items[position].text));
    ModifyMenuW(popup, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING,
                items[position].command, text.c_str());
  }
}

void Track(HMENU popup, HWND owner) {
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(owner);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
  // Lets the menu close properly when the user clicks elsewhere.
  PostMessageW(owner, WM_NULL, 0, 0);
}

// A menu resource and its first popup; popup() is null when either is missing.
class MenuResource {
 public:
  explicit MenuResource(int id)
      : menu_(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id))),
        popup_(menu_.get() != nullptr ? GetSubMenu(menu_.get(), 0) : nullptr) {}
  HMENU popup() const { return popup_; }

 private:
  skin::MenuHandle menu_;
  HMENU popup_;
};

}  // namespace

void ShowTrayMenu(HWND owner) {
  const MenuResource menu(mainwnd::kTrayMenu);
  HMENU popup = menu.popup();
  if (popup == nullptr) return;
  LoadTrayMenuTexts(LanguageFile());
  static constexpr std::array<Item, 3> kItems = {Item{TextKey::MENU_11, mainwnd::kCmdOpen},
                                                 Item{TextKey::MENU_22, mainwnd::kCmdAbout},
                                                 Item{TextKey::MENU_33, mainwnd::kCmdExit}};
  SetItems(popup, kItems.data(), kItems.size());
  SetMenuDefaultItem(popup, 0, TRUE);
  Track(popup, owner);
}

void OpenFromTray(HWND owner) {
  const MenuResource menu(mainwnd::kTrayMenu);
  HMENU popup = menu.popup();
  if (popup == nullptr) return;
  SetForegroundWindow(owner);
  SendMessageW(owner, WM_COMMAND, GetMenuItemID(popup, 0), 0);
}

void ShowButtonMenu(HWND owner) {
  const MenuResource menu(mainwnd::kButtonMenu);
  HMENU popup = menu.popup();
  if (popup == nullptr) return;
  LoadMenuButtonTexts(LanguageFile());
  // The template's third position is a separator; it becomes About.
  static constexpr std::array<Item, 3> kItems = {Item{TextKey::MENU_1, mainwnd::kCmdImport},
                                                 Item{TextKey::MENU_2, mainwnd::kCmdExport},
                                                 Item{TextKey::MENU_3, mainwnd::kCmdAbout}};
  SetItems(popup, kItems.data(), kItems.size());
  Track(popup, owner);
}

}  // namespace tarvolin::tray
