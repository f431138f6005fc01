#pragma once
// Owns an installed Windows hook and removes it once, so no path out of its owner can leave
// a hook behind (a forgotten low-level keyboard hook would swallow keys system-wide).
#include <windows.h>

#include <utility>

namespace tarvolin::win32 {

class UniqueHook {
 public:
  UniqueHook() = default;
  explicit UniqueHook(HHOOK hook) : hook_(hook) {}
  UniqueHook(UniqueHook&& other) noexcept : hook_(std::exchange(other.hook_, nullptr)) {}
  UniqueHook& operator=(UniqueHook&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.hook_, nullptr));
    return *this;
  }
  UniqueHook(const UniqueHook&) = delete;
  UniqueHook& operator=(const UniqueHook&) = delete;
  ~UniqueHook() { Reset(); }

  HHOOK get() const { return hook_; }
  explicit operator bool() const { return hook_ != nullptr; }
  void Reset(HHOOK hook = nullptr) {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    hook_ = hook;
  }

 private:
  HHOOK hook_ = nullptr;
};

}  // namespace tarvolin::win32
