#include "device/device_report.h"

#include <algorithm>

namespace tarvolin::device {

std::uint16_t ReportChecksum(const ReportBytes& report) {
  unsigned sum = 0;
  for (std::size_t i = kOffsetCommand; i < kReportSize; ++i) sum += report[i];
  return static_cast<std::uint16_t>(sum);
}

void SealReport(ReportBytes& report) {
  WriteU16Le(report, kOffsetChecksum, ReportChecksum(report));
}

ReportBytes BuildRequest(Command command, std::uint8_t length, std::uint16_t address,
                         std::span<const std::uint8_t> payload) {
  ReportBytes report{};
  report[kOffsetReportId] = kReportId;
  report[kOffsetCommand] = static_cast<std::uint8_t>(command);
  report[kOffsetLength] = length;
  SetReportAddress(report, address);
  report[kOffsetStatus] = 0;
  const std::size_t n = std::min(payload.size(), kPayloadSize);
  std::copy_n(payload.begin(), n, report.begin() + kOffsetPayload);
  SealReport(report);
  return report;
}

}  // namespace tarvolin::device
