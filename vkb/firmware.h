#pragma once
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/device_report.h"
#include "device/settings_block.h"

namespace tarvolin::vkb {

// Memory of the virtual keyboard, as its flash would hold it.
struct FirmwareMemory {
  static constexpr std::size_t kKeyMapBlocks = 3;
  static constexpr std::size_t kBlockSize = 512;
  static constexpr std::size_t kLightingRecordSize = 42;
  static constexpr std::size_t kLightingAreaSize = 3 * kLightingRecordSize;  // 126
  static constexpr std::size_t kKeyColourPageSize = 180;
  static constexpr std::size_t kKeyColourAreaSize = 3 * kKeyColourPageSize;  // 540
  static constexpr std::size_t kMacroAreaMax = 255 * 128;                    // 32640

  device::SettingsBlock settings;
  std::array<std::uint8_t, kKeyMapBlocks * kBlockSize> key_maps{};
  std::array<std::uint8_t, kBlockSize> default_layout{};
  std::vector<std::uint8_t> macros = std::vector<std::uint8_t>(kMacroAreaMax, 0);
  std::array<std::uint8_t, kLightingAreaSize> lighting{};
  std::array<std::uint8_t, kKeyColourAreaSize> key_colours{};
};

// Injected misbehaviour, for tests of the program's failure paths.
struct FaultPlan {
  int drop_replies = 0;           // the next N requests get no reply at all
  int busy_replies = 0;           // the next N replies carry status 0xFE
  int refused_replies = 0;        // the next N replies carry status 0xFF
  int wrong_command_replies = 0;  // the next N replies echo another command
  int stray_reports = 0;          // the next N replies are followed by a report for another command
  std::uint32_t latency_ms = 0;   // per report, to model USB polling
};

// The keyboard's firmware: answers every command of the command set from its memory.
// Malformed requests (bad checksum, bad report id, address or length out of range) are
// refused with status 0xFF. Thread-safe.
class Firmware {
 public:
  Firmware();

  // Factory state: three profiles, active profile 0, macro space 100 units, effects 1..28
  // and 254, key maps equal to the default layout, default lighting.
  void ResetToFactory();

  // The reply to one request, or nothing when a fault drops it.
  std::optional<device::ReportBytes> Handle(const device::ReportBytes& request);

  FirmwareMemory Snapshot() const;
  void Restore(const FirmwareMemory& memory);
  template <typename F>
  void Edit(F&& edit) {
    std::lock_guard lock(mutex_);
    edit(memory_);
  }

  void SetFaults(const FaultPlan& plan);
  FaultPlan Faults() const;
  // True (and one fewer left) when the reply just sent is to be followed by a stray report.
  bool TakeStrayReport();

 private:
  device::ReportBytes Answer(const device::ReportBytes& request);
  std::uint32_t MacroSpaceBytes() const;

  mutable std::mutex mutex_;
  FirmwareMemory memory_;
  FaultPlan faults_;
};

// Factory default layout: 126 entries of [kind, a, b] for the keyboard's key positions.
std::array<std::uint8_t, FirmwareMemory::kBlockSize> FactoryDefaultLayout();
// Factory key masks of one profile (180 bytes: ten masks of 18).
std::array<std::uint8_t, FirmwareMemory::kKeyColourPageSize> FactoryKeyColourPage();
// Factory lighting record of one profile (42 bytes).
std::array<std::uint8_t, FirmwareMemory::kLightingRecordSize> FactoryLightingRecord();

}  // namespace tarvolin::vkb
