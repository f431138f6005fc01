#pragma once
// The ten progress frames of Apply ("jdt1.bmp" .. "jdt10.bmp"), kept as plain pixel rows so
// that the busy-indicator thread can paint them without selecting a shared bitmap.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/main/dpi_scale.h"
#include "ui/main/progress_frames_cycle.h"

namespace tarvolin::mainwnd {

class ProgressFrames {
 public:
  static constexpr int kCount = kProgressFrameCount;

  // Loads the frames from the skin folder at `scale`; a missing file gives an empty frame.
  void Load(const std::wstring& skinFolder, HWND window, DpiScale scale);
  // Paints frame `index` (0..9) at the origin of `dc`, stretched to `size`; any thread.
  void Paint(HDC dc, int index, SIZE size) const;

 private:
  struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // bottom-up rows, 32 bits per pixel
  };
  std::array<Frame, kCount> frames_;
};

}  // namespace tarvolin::mainwnd
