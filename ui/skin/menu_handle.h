#pragma once
// Owns a menu made with CreatePopupMenu and destroys it once.
#include <windows.h>

#include <utility>

namespace tarvolin::skin {

class MenuHandle {
 public:
  MenuHandle() = default;
  explicit MenuHandle(HMENU menu) : menu_(menu) {}
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  MenuHandle(MenuHandle&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
  MenuHandle& operator=(MenuHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.menu_, nullptr));
    return *this;
  }
  ~MenuHandle() { Reset(); }

  HMENU get() const { return menu_; }
  void Reset(HMENU menu = nullptr) {
    if (menu_ != nullptr) DestroyMenu(menu_);
    menu_ = menu;
  }

 private:
  HMENU menu_ = nullptr;
};

}  // namespace tarvolin::skin
