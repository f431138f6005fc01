#include "vkb/traffic_log.h"

#include <chrono>
#include <cstdio>
#include <fstream>

namespace tarvolin::vkb {
namespace {

std::uint64_t SteadyMs() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void TrafficLog::Record(bool to_keyboard, const device::ReportBytes& report) {
  std::lock_guard lock(mutex_);
  if (start_ms_ == 0) start_ms_ = SteadyMs();
  TrafficEntry entry{SteadyMs() - start_ms_, to_keyboard, report};
  entries_.push_back(entry);
  if (!path_.empty()) {
    std::ofstream file(path_, std::ios::app);
    file << FormatLine(entry) << '\n';
  }
}

std::vector<TrafficEntry> TrafficLog::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<device::ReportBytes> TrafficLog::Requests() const {
  std::lock_guard lock(mutex_);
  std::vector<device::ReportBytes> requests;
  for (const auto& entry : entries_) {
    if (entry.to_keyboard) requests.push_back(entry.report);
  }
  return requests;
}

void TrafficLog::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

void TrafficLog::SetFile(std::string path) {
  std::lock_guard lock(mutex_);
  path_ = std::move(path);
}

std::string TrafficLog::FormatLine(const TrafficEntry& entry) {
  std::string line;
  char head[32];
  std::snprintf(
      head, sizeof head, "%10llu.%03llu %s", static_cast<unsigned long long>(entry.time_ms / 1000),
      static_cast<unsigned long long>(entry.time_ms % 1000), entry.to_keyboard ? "->" : "<-");
  line = head;
  for (std::uint8_t byte : entry.report) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", byte);
    line += hex;
  }
  return line;
}

}  // namespace tarvolin::vkb
