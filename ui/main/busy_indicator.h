#pragma once
// The busy indicator of one Apply: a thread with its own message queue that animates the
// progress picture while the user-interface thread is busy writing to the keyboard. It paints
// the frames itself (the user-interface thread cannot: it is inside Apply) and ends after
// its hide message, so Applies do not leave threads behind.
#include <windows.h>

#include <atomic>

#include "platform/win32/unique_handle.h"
#include "ui/main/progress_frames.h"

namespace tarvolin::mainwnd {

class BusyIndicator {
 public:
  // `picture` is the progress control and `frame` the frame its own painting shows; when
  // the thread has stopped it posts `doneMessage` to `owner`.
  BusyIndicator(HWND picture, const ProgressFrames& frames, std::atomic<int>& frame, HWND owner,
                UINT doneMessage);
  BusyIndicator(const BusyIndicator&) = delete;
  BusyIndicator& operator=(const BusyIndicator&) = delete;
  // Waits for a thread that is still finishing (at most its 100 ms pause).
  ~BusyIndicator();

  // Starts a thread, waits until its queue exists and 100 ms more, then posts the show
  // message. False when no thread could be started (Apply then runs without it). A thread
  // of the previous Apply that is still finishing is waited for first.
  bool Start();
  // Posts the hide message; the thread waits 100 ms, stops animating, reports and ends.
  void Stop();
  bool IsRunning() const;

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  void PaintFrame();

  HWND picture_;
  const ProgressFrames& frames_;
  std::atomic<int>& frame_;
  HWND owner_;
  UINT done_message_;
  win32::UniqueHandle thread_;
  win32::UniqueHandle queue_ready_;
  DWORD thread_id_ = 0;
};

}  // namespace tarvolin::mainwnd
