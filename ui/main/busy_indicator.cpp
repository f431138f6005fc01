#include "ui/main/busy_indicator.h"

#include "ui/main/main_window_ids.h"

namespace tarvolin::mainwnd {
namespace {

constexpr DWORD kSettleMs = 100;

}  // namespace

BusyIndicator::BusyIndicator(HWND picture, const ProgressFrames& frames, std::atomic<int>& frame,
                             HWND owner, UINT doneMessage)
    : picture_(picture),
      frames_(frames),
      frame_(frame),
      owner_(owner),
      done_message_(doneMessage) {}

BusyIndicator::~BusyIndicator() {
  if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

bool BusyIndicator::IsRunning() const {
  return thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT;
}

bool BusyIndicator::Start() {
  if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
  thread_.Reset();
  queue_ready_ = win32::UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!queue_ready_) return false;
  thread_ = win32::UniqueHandle(CreateThread(nullptr, 0, &ThreadMain, this, 0, &thread_id_));
  if (!thread_) return false;
  WaitForSingleObject(queue_ready_.get(), INFINITE);
  Sleep(kSettleMs);
  PostThreadMessageW(thread_id_, kBusyShowMessage, 0, 0);
  return true;
}

void BusyIndicator::Stop() {
  if (thread_) PostThreadMessageW(thread_id_, kBusyHideMessage, 0, 0);
}

DWORD WINAPI BusyIndicator::ThreadMain(void* self) {
  static_cast<BusyIndicator*>(self)->Run();
  return 0;
}

void BusyIndicator::Run() {
  MSG message;
  // Makes the queue before anyone posts to it.
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  SetEvent(queue_ready_.get());
  UINT_PTR timer = 0;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == kBusyShowMessage) {
      frame_ = 0;
      PaintFrame();
      timer = SetTimer(nullptr, 0, kBusyFrameMs, nullptr);
    } else if (message.message == WM_TIMER && message.hwnd == nullptr) {
      frame_ = NextProgressFrame(frame_);
      PaintFrame();
    } else if (message.message == kBusyHideMessage) {
      Sleep(kSettleMs);
      if (timer != 0) KillTimer(nullptr, timer);
      PostMessageW(owner_, done_message_, 0, 0);
      return;
    }
  }
}

void BusyIndicator::PaintFrame() {
  HDC dc = GetDC(picture_);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(picture_, &client);
  frames_.Paint(dc, frame_, SIZE{client.right, client.bottom});
  ReleaseDC(picture_, dc);
}

}  // namespace tarvolin::mainwnd
