// Binds Quorlink.dll from its own folder as the program does. Where binding must fail the
// process has to end with exit code 0 inside BindHidLibraryOrExit; returning from it is a fault.
#include <cstdio>

#include "device/win32/hid_library_loader.h"

int main() {
  tarvolin::device::DeviceChannel channel;
  tarvolin::device::BindHidLibraryOrExit(channel);
#if TARVOLIN_EXPECT_BIND
  channel.Subscribe();
  const int count = channel.DeviceCount();
  std::printf("bound, %d device(s)\n", count);
  return count == 1 ? 0 : 1;
#else
  std::printf("bound although the library is unusable\n");
  return 3;
#endif
}
