#pragma once
// The 210 named auto-reset events, created at initialisation and closed at shutdown. The
// program never signals or waits on them; they exist for programs outside it.
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tarvolin::mainwnd {

class KeyEventHandles {
 public:
  void Create();
  void Close() { handles_.clear(); }
  std::size_t size() const { return handles_.size(); }

 private:
  std::vector<win32::UniqueHandle> handles_;
};

}  // namespace tarvolin::mainwnd
