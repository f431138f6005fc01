#pragma once
// Owns one Win32 resource (a hook, a window, an image list, a menu) and gives it back once,
// whatever way its owner ends.
#include <utility>

namespace tarvolin::win32 {

template <typename Handle, auto Release>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  UniqueResource(UniqueResource&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Takes `handle` over; the one held before is given back unless it is the same.
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr && handle_ != handle) Release(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

}  // namespace tarvolin::win32
