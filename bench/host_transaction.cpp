// What the keyboard host costs: microseconds per bare transaction (Begin, answered at once)
// against the in-process virtual keyboard and through Quorlink.dll and vkbhost.exe. The
// difference is the pipe round trip between two processes.
#include <chrono>
#include <cstdio>

#include "device/commands.h"
#include "device/win32/hid_library_loader.h"
#include "vkb/virtual_hid_library.h"

namespace {

using Clock = std::chrono::steady_clock;

// Microseconds per transaction over `count` Begins; negative when one fails.
double TimeBegins(tarvolin::device::DeviceChannel& channel, int count) {
  for (int i = 0; i < 50; ++i) tarvolin::device::Begin(channel);  // warm up
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    if (tarvolin::device::Begin(channel) != 1) return -1;
  }
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

}  // namespace

int main() {
  constexpr int kCount = 2000;
  tarvolin::vkb::VirtualHidLibrary::Instance().Reset();
  tarvolin::device::DeviceChannel in_process;
  if (!in_process.Bind(tarvolin::vkb::VirtualHidLibrary::Api())) return 1;
  in_process.Subscribe();
  const double local_us = TimeBegins(in_process, kCount);

  tarvolin::device::HidLibraryApi api;
  tarvolin::device::DeviceChannel hosted;
  if (!tarvolin::device::LoadHidLibrary(api) || !hosted.Bind(api)) {
    std::fprintf(stderr, "Quorlink.dll could not be bound\n");
    return 1;
  }
  hosted.Subscribe();  // the library's callback now routes here
  const double host_us = TimeBegins(hosted, kCount);

  std::printf("transactions            %d each\n", kCount);
  std::printf("in-process keyboard     %.1f us per transaction\n", local_us);
  std::printf("through the host        %.1f us per transaction\n", host_us);
  std::printf("host overhead           %.1f us per transaction\n", host_us - local_us);
  return local_us > 0 && host_us > 0 ? 0 : 1;
}
