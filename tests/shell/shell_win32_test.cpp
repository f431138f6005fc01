#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "app/win32/instance_locator.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/dpi_scale.h"
#include "ui/main/key_event_handles.h"
#include "ui/main/key_event_names.h"
#include "ui/main/keyboard_filter.h"
#include "ui/main/main_window_ids.h"
#include "ui/main/scaled_placement.h"
#include "ui/tray/tray_icon.h"

namespace tarvolin {
namespace {

// A plain top-level window that records the messages it gets.
class RecordingWindow {
 public:
  RecordingWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &RecordingWindow::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TarvolinShellTestWindow";
    RegisterClassW(&windowClass);
    hwnd_ = CreateWindowExW(0, L"TarvolinShellTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    SetPropW(hwnd_, L"recorder", this);
  }
  ~RecordingWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  struct Seen {
    UINT message;
    WPARAM wParam;
  };
  std::vector<Seen> seen;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto* self = static_cast<RecordingWindow*>(GetPropW(window, L"recorder"))) {
      if (message == mainwnd::kMainMsgOpen || message == mainwnd::kMainMsgKill ||
          message == mainwnd::kBusyDoneMessage) {
        self->seen.push_back({message, wParam});
      }
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
};

void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG message;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
}

TEST(InstanceLocator, HandsOverOnlyToTheMarkedWindowWithItsCode) {
  RecordingWindow unmarked;
  RecordingWindow marked;
  const DWORD self = GetCurrentProcessId();
  // Nothing marked yet: no window takes it.
  EXPECT_FALSE(app::HandOver(self, app::HandOverMode::kOpen));
  SetWindowLongPtrW(marked.hwnd(), GWLP_USERDATA, mainwnd::kMainWindowMarker);
  EXPECT_TRUE(app::HandOver(self, app::HandOverMode::kOpen));
  EXPECT_TRUE(app::HandOver(self, app::HandOverMode::kKill));
  ASSERT_EQ(marked.seen.size(), 2u);
  EXPECT_EQ(marked.seen[0].message, mainwnd::kMainMsgOpen);
  EXPECT_EQ(marked.seen[0].wParam, mainwnd::kOpenCode);
  EXPECT_EQ(marked.seen[1].message, mainwnd::kMainMsgKill);
  EXPECT_EQ(marked.seen[1].wParam, mainwnd::kKillCode);
  EXPECT_TRUE(unmarked.seen.empty());
  // Another process's windows are never asked.
  EXPECT_FALSE(app::HandOver(self + 4, app::HandOverMode::kOpen));
}

TEST(InstanceLocator, NeverFindsTheStartingProcessItself) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring name = wcsrchr(path, L'\\') + 1;
  EXPECT_EQ(app::FindOtherInstance(name), 0u);
  EXPECT_EQ(app::FindOtherInstance(L"no-such-program.exe"), 0u);
}

TEST(KeyEventHandles, TheNamedEventsLiveFromCreateToClose) {
  mainwnd::KeyEventHandles handles;
  handles.Create();
  EXPECT_EQ(handles.size(), 210u);
  for (int number : {1, 9, 10, 99, 100, 210}) {
    HANDLE opened = OpenEventW(SYNCHRONIZE, FALSE, mainwnd::KeyEventName(number).c_str());
    EXPECT_NE(opened, nullptr) << number;
    // Created not signalled.
    if (opened != nullptr) {
      EXPECT_EQ(WaitForSingleObject(opened, 0), static_cast<DWORD>(WAIT_TIMEOUT));
      CloseHandle(opened);
    }
  }
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, mainwnd::KeyEventName(211).c_str()), nullptr);
  handles.Close();
  EXPECT_EQ(OpenEventW(SYNCHRONIZE, FALSE, mainwnd::KeyEventName(1).c_str()), nullptr);
}

TEST(BusyIndicator, EachApplysThreadEndsAfterItsHideMessage) {
  RecordingWindow owner;
  HWND picture = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_OWNERDRAW, 0, 0, 100, 10,
                                 owner.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  mainwnd::ProgressFrames frames;  // not loaded: frames paint black
  std::atomic<int> frame{0};
  mainwnd::BusyIndicator busy(picture, frames, frame, owner.hwnd(), mainwnd::kBusyDoneMessage);
  for (int apply = 0; apply < 3; ++apply) {
    ASSERT_TRUE(busy.Start());
    EXPECT_TRUE(busy.IsRunning());
    PumpFor(240);  // a few 50 ms ticks
    busy.Stop();
    PumpFor(400);
    EXPECT_FALSE(busy.IsRunning()) << apply;
  }
  EXPECT_GT(frame.load(), 0);
  EXPECT_EQ(owner.seen.size(), 3u);  // one "done" per Apply
}

TEST(TrayIcon, WithoutAWindowEverythingIsANoOp) {
  tray::CTrayIcon icon;
  EXPECT_FALSE(icon.CreateTrayIcon(nullptr, mainwnd::kTrayCallbackMessage, L"tip", nullptr,
                                   mainwnd::kTrayIconId));
  EXPECT_FALSE(icon.enabled());
  icon.SetTrayPicture(mainwnd::kIconAttached);
  icon.DeleteTrayIcon();
  EXPECT_FALSE(icon.enabled());
  EXPECT_NE(tray::CTrayIcon::TaskbarCreatedMessage(), 0u);
}

TEST(KeyboardFilter, EnterAndEscapeAlwaysArrowsOnlyOnTheEffectList) {
  using mainwnd::IsFilteredKey;
  for (UINT message : {UINT{WM_KEYDOWN}, UINT{WM_KEYUP}}) {
    EXPECT_TRUE(IsFilteredKey(message, VK_RETURN, false));
    EXPECT_TRUE(IsFilteredKey(message, VK_ESCAPE, false));
    EXPECT_FALSE(IsFilteredKey(message, VK_LEFT, false));
    EXPECT_TRUE(IsFilteredKey(message, VK_LEFT, true));
    EXPECT_TRUE(IsFilteredKey(message, VK_DOWN, true));
    EXPECT_FALSE(IsFilteredKey(message, VK_TAB, true));
  }
  EXPECT_FALSE(IsFilteredKey(WM_CHAR, VK_RETURN, false));
}

class FakeButton final : public skin::SkinButton {
 public:
  explicit FakeButton(HWND window) : window_(window) {}
  HWND Handle() const override { return window_; }
  void SetSkin(int x, int y, const skin::StatePictures&) override {
    source_x = x;
    source_y = y;
  }
  int source_x = 0;
  int source_y = 0;

 private:
  HWND window_;
};

class MapStore final : public IniStore {
 public:
  std::u16string Read(std::u16string_view, std::u16string_view key,
                      std::u16string_view fallback) const override {
    if (key == u"KEY_A") return u"100,50,41,41";
    return std::u16string(fallback);
  }
  bool Write(std::u16string_view, std::u16string_view, std::u16string_view) override {
    return false;
  }
};

TEST(ScaledPlacement, SameAsTheToolkitAt96AndScaledElsewhere) {
  RecordingWindow parent;
  HWND child = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 1, 1, parent.hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  MapStore store;
  const skin::SkinLayout layout(store);
  FakeButton button(child);
  RECT place{};
  mainwnd::PlaceScaledButton(button, layout, u"KEY_A", {}, mainwnd::DpiScale(96));
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, parent.hwnd(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 100);
  EXPECT_EQ(place.right - place.left, 41);
  EXPECT_EQ(button.source_x, 100);  // the button copies from (99, 49)
  EXPECT_EQ(button.source_y, 50);
  EXPECT_TRUE(IsWindowEnabled(child));

  mainwnd::PlaceScaledButton(button, layout, u"KEY_A", {}, mainwnd::DpiScale(144));
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, parent.hwnd(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 150);
  EXPECT_EQ(place.right - place.left, 62);  // 141 * 1.5 = 211.5 -> 212, minus 150
  // Copies from the scaled position of the pixel one left of and above: 99 * 1.5 = 148.5.
  EXPECT_EQ(button.source_x - 1, 149);
  EXPECT_EQ(button.source_y - 1, 74);  // 49 * 1.5 = 73.5

  // A missing key places the button as absent and disables it, at any DPI.
  mainwnd::PlaceScaledButton(button, layout, u"KEY_MISSING", {}, mainwnd::DpiScale(144));
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, parent.hwnd(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 1);
  EXPECT_FALSE(IsWindowEnabled(child));
}

}  // namespace
}  // namespace tarvolin
