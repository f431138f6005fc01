#pragma once
// The order of the ten progress frames of Apply. Portable.

namespace tarvolin::mainwnd {

inline constexpr int kProgressFrameCount = 10;

// The frame after `index`: 0..9 in a cycle; anything out of range starts again at 0.
constexpr int NextProgressFrame(int index) {
  return index >= kProgressFrameCount - 1 || index < 0 ? 0 : index + 1;
}

}  // namespace tarvolin::mainwnd
