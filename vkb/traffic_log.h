#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_report.h"

namespace tarvolin::vkb {

// Every report exchanged, in order: what the program sent and what the keyboard answered.
struct TrafficEntry {
  std::uint64_t time_ms;  // since the library started
  bool to_keyboard;       // request (true) or reply (false)
  device::ReportBytes report;
};

class TrafficLog {
 public:
  void Record(bool to_keyboard, const device::ReportBytes& report);
  std::vector<TrafficEntry> Entries() const;
  // Only the requests, in order; what tests usually check.
  std::vector<device::ReportBytes> Requests() const;
  void Clear();
  // Also append every entry, as a hex line with its time, to this file ("" = none).
  void SetFile(std::string path);

  static std::string FormatLine(const TrafficEntry& entry);

 private:
  mutable std::mutex mutex_;
  std::vector<TrafficEntry> entries_;
  std::string path_;
  std::uint64_t start_ms_ = 0;
};

}  // namespace tarvolin::vkb
