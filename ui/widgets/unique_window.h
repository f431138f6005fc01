#pragma once
// Owns a window this code created (a tooltip, a popup) and destroys it once.
#include <windows.h>

#include <utility>

namespace tarvolin::widgets {

class UniqueWindow {
 public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND window) : window_(window) {}
  UniqueWindow(UniqueWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
  UniqueWindow& operator=(UniqueWindow&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.window_, nullptr));
    return *this;
  }
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  ~UniqueWindow() { Reset(); }

  HWND get() const { return window_; }
  explicit operator bool() const { return window_ != nullptr; }
  // Destroys the window unless it has already gone (an owned window goes with its owner).
  void Reset(HWND window = nullptr) {
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    window_ = window;
  }

 private:
  HWND window_ = nullptr;
};

}  // namespace tarvolin::widgets
