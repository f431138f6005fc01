#pragma once
// A window's skin pictures, each decoded once and kept as a window-sized surface.
#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/skin/menu_handle.h"
#include "ui/skin/skin_surface.h"

namespace tarvolin::skin {

class SkinImageSet {
 public:
  // Loads folder + each name in order, building each surface for `window`. Returns false
  // when an image object or a surface could not be created (the set is then left empty);
  // a missing or broken file is not a failure. Loads only once: later calls return true.
  bool Load(std::wstring_view folder, std::span<const std::wstring_view> names, HWND window);

  bool IsLoaded() const { return loaded_; }
  std::size_t size() const { return surfaces_.size(); }
  // Slot i (0-based); null when out of range or not loaded.
  const SkinSurface* at(std::size_t index) const {
    return index < surfaces_.size() ? &surfaces_[index] : nullptr;
  }
  // Names whose file was missing or undecodable in the last Load.
  const std::vector<std::wstring>& empty_pictures() const { return empty_pictures_; }

 private:
  std::vector<SkinSurface> surfaces_;
  std::vector<std::wstring> empty_pictures_;
  bool loaded_ = false;
};

// The main window's pictures, slots 1..11 of the skin format (0-based here).
class SkinImages {
 public:
  enum Slot : std::size_t {
    kNormal = 0,
    kOver = 1,
    kDown = 2,
    kDisable = 3,
    kSecondNormal = 4,
    kSecondOver = 5,
    kSecondDown = 6,
    kSecondDisable = 7,
    kArrow = 8,
    kColour0 = 9,
    kColour1 = 10,
  };
  static std::span<const std::wstring_view> FileNames();

  // skinFolder ends with a backslash ("<program folder>Skins\").
  bool Load(std::wstring_view skinFolder, HWND mainWindow);
  const SkinSurface* at(Slot slot) const { return set_.at(slot); }
  const SkinImageSet& set() const { return set_; }

  // The profile popup menu lives with the main window's pictures; the record owns it.
  void SetProfileMenu(HMENU menu) { profile_menu_.Reset(menu); }
  HMENU profile_menu() const { return profile_menu_.get(); }

 private:
  SkinImageSet set_;
  MenuHandle profile_menu_;
};

// The per-dialog sets, in slot order.
std::span<const std::wstring_view> CompositeImageNames();
std::span<const std::wstring_view> ProfileImageNames();

}  // namespace tarvolin::skin
