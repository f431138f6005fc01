#pragma once
#include <objbase.h>
#include <ole2.h>

namespace tarvolin::skin {

// OLE for the process's user-interface thread (dialog backgrounds are loaded with
// OleLoadPicture); undone only when it was done.
class OleSession {
 public:
  OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (ok_) OleUninitialize();
  }

 private:
  bool ok_;
};

}  // namespace tarvolin::skin
