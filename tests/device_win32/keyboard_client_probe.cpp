// A long-lived client of the virtual keyboard for end-to-end scripts, standing in for the
// program: binds Quorlink.dll as the program does and answers one command per line on stdin:
//   count | colours PAGE | write-colour OFFSET PROFILE BYTE | heard | quit
// "colours" prints the first 56 bytes of a key-colour page in hex; "heard" the device counts
// the attach hook received so far.
#include <cstdio>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "device/commands.h"
#include "device/win32/hid_library_loader.h"

namespace {

std::mutex heard_mutex;
std::vector<int> heard;

std::string Hex(const std::uint8_t* data, std::size_t size) {
  std::string text;
  char pair[4];
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, i ? " %02X" : "%02X", data[i]);
    text += pair;
  }
  return text;
}

}  // namespace

int main() {
  tarvolin::device::DeviceChannel channel;
  tarvolin::device::BindHidLibraryOrExit(channel);
  channel.SetAttachHook([](int count) {
    std::lock_guard lock(heard_mutex);
    heard.push_back(count);
  });
  channel.Subscribe();
  std::cout << "ready" << std::endl;
  for (std::string line; std::getline(std::cin, line);) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "count") {
      std::cout << "count " << channel.DeviceCount() << std::endl;
    } else if (verb == "colours") {
      int page = 0;
      in >> page;
      std::uint8_t buffer[56] = {};
      const int result = tarvolin::device::ReadKeyColours(channel, buffer, 56, 0, page);
      std::cout << "result " << result << ' ' << Hex(buffer, sizeof buffer) << std::endl;
    } else if (verb == "write-colour") {
      int offset = 0, profile = 0;
      unsigned byte = 0;
      in >> offset >> profile >> std::hex >> byte;
      const auto value = static_cast<std::uint8_t>(byte);
      const int result = tarvolin::device::WriteKeyColours(
          channel, &value, 1, static_cast<std::uint16_t>(offset), profile);
      std::cout << "result " << result << std::endl;
    } else if (verb == "heard") {
      std::lock_guard lock(heard_mutex);
      std::cout << "heard";
      for (int count : heard) std::cout << ' ' << count;
      std::cout << std::endl;
    } else if (verb == "quit") {
      break;
    } else {
      std::cout << "unknown" << std::endl;
    }
  }
  return 0;
}
