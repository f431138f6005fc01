#pragma once
// GDI+ must be started before any picture is decoded and shut down after the last one is
// released; one session lives in the program's entry function.
#include <cstdint>

namespace tarvolin::skin {

class GdiplusSession {
 public:
  GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  ~GdiplusSession();

  bool IsStarted() const { return token_ != 0; }

 private:
  std::uintptr_t token_ = 0;
};

}  // namespace tarvolin::skin
