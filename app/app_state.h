#pragma once
#include <atomic>
#include <cstdint>

namespace tarvolin {

// The process-wide record of the application shell. Zero at load, except the cached
// profile, which the main window sets to -1 at start-up. Fields that worker threads and the
// HID callback thread touch are atomic.
struct AppState {
  std::atomic<std::uint32_t> control_read_unit{0};
  void* main_window_handle = nullptr;
  void* main_window = nullptr;
  std::atomic<int> left_hint_on{0};
  std::atomic<int> right_hint_on{0};
  std::atomic<int> auto_show_done{0};
  void* instance_mutex = nullptr;
  std::atomic<int> cached_profile{-1};
  std::atomic<std::uint32_t> macro_space{0};
  std::atomic<int> keyboard_attached{0};
};

// The one instance.
AppState& TheAppState();

}  // namespace tarvolin
