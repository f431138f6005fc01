#pragma once
// Owns an image list and destroys it once.
#include <commctrl.h>
#include <windows.h>

#include <utility>

namespace tarvolin::widgets {

class UniqueImageList {
 public:
  UniqueImageList() = default;
  UniqueImageList(UniqueImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
  UniqueImageList& operator=(UniqueImageList&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.list_, nullptr));
    return *this;
  }
  UniqueImageList(const UniqueImageList&) = delete;
  UniqueImageList& operator=(const UniqueImageList&) = delete;
  ~UniqueImageList() { Reset(); }

  HIMAGELIST get() const { return list_; }
  // Takes `list` over; the one held before is destroyed unless it is the same list.
  void Reset(HIMAGELIST list = nullptr) {
    if (list_ != nullptr && list_ != list) ImageList_Destroy(list_);
    list_ = list;
  }

 private:
  HIMAGELIST list_ = nullptr;
};

}  // namespace tarvolin::widgets
