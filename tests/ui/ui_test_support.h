#pragma once
// Helpers of the Windows-side toolkit tests: scratch skin folders, pictures written by the
// test itself, and a parent window that records what the widgets tell it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvolin::uitest {

// A fresh folder under the temporary folder, removed with its files at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  // With a trailing backslash.
  const std::wstring& path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  void Write(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const;
  void WriteText(const std::wstring& name, const std::string& text) const;

 private:
  std::wstring path_;
};

using PixelFunction = std::function<COLORREF(int x, int y)>;
// A 24-bit bottom-up BMP file's bytes.
std::vector<std::uint8_t> MakeBmp(int width, int height, const PixelFunction& pixel);

// A top-level window that reflects notifications to its children, records WM_COMMAND, the
// messages in the 0xA700..0xA7FF range and 0x28D1, and answers nothing else itself.
class RecordingParent {
 public:
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  RecordingParent(int width = 600, int height = 400);
  RecordingParent(const RecordingParent&) = delete;
  RecordingParent& operator=(const RecordingParent&) = delete;
  ~RecordingParent();
  HWND hwnd() const { return hwnd_; }
  std::vector<Message>& messages() { return messages_; }
  int CountOf(UINT message) const;

 private:
  static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  std::vector<Message> messages_;
};

// Handles every queued message of this thread.
void PumpMessages();
// The colour of a window's client pixel as it is on screen.
COLORREF ClientPixel(HWND window, int x, int y);

// A window's client area as it paints itself (WM_PRINTCLIENT) into a surface first filled
// with `background`; pixels as COLORREF, row by row.
class RenderedClient {
 public:
  RenderedClient(HWND window, COLORREF background);
  COLORREF at(int x, int y) const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// A Windows path for a path the tests get from the Linux side (TARVOLIN_SOURCE_DIR).
std::wstring WindowsPathFromEnvironment(const char* variable);

}  // namespace tarvolin::uitest
