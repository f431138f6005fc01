#include "vkb/firmware.h"

#include <algorithm>
#include <cstring>

namespace tarvolin::vkb {

using device::Command;
using device::kOffsetCommand;
using device::kOffsetLength;
using device::kOffsetPayload;
using device::kOffsetStatus;
using device::kPayloadSize;
using device::ReportBytes;

namespace {

constexpr std::uint8_t kDefaultMacroSpaceUnits = 100;

// Copies [address, address + length) of `area` to `out`; bytes past the area's end read as 0.
void ReadPadded(const std::uint8_t* area, std::size_t area_size, std::size_t address,
                std::size_t length, std::uint8_t* out) {
  for (std::size_t i = 0; i < length; ++i) {
    out[i] = address + i < area_size ? area[address + i] : 0;
  }
}

}  // namespace

Firmware::Firmware() {
  ResetToFactory();
}

void Firmware::ResetToFactory() {
  std::lock_guard lock(mutex_);
  memory_ = FirmwareMemory{};
  memory_.settings.SetActiveProfile(0);
  memory_.settings.bytes[device::SettingsBlock::kOffsetMacroSpace] = kDefaultMacroSpaceUnits;
  for (std::uint8_t effect = 1; effect <= 28; ++effect) {
    memory_.settings.bytes[device::SettingsBlock::kOffsetEffectList + effect - 1] = effect;
  }
  memory_.settings.bytes[device::SettingsBlock::kOffsetEffectList + 28] =
      device::SettingsBlock::kPerKeyColourEffect;
  memory_.default_layout = FactoryDefaultLayout();
  for (std::size_t block = 0; block < FirmwareMemory::kKeyMapBlocks; ++block) {
    std::copy(
        memory_.default_layout.begin(), memory_.default_layout.end(),
        memory_.key_maps.begin() + static_cast<std::ptrdiff_t>(block * FirmwareMemory::kBlockSize));
  }
  const auto record = FactoryLightingRecord();
  const auto page = FactoryKeyColourPage();
  for (std::size_t p = 0; p < 3; ++p) {
    std::copy(record.begin(), record.end(),
              memory_.lighting.begin() +
                  static_cast<std::ptrdiff_t>(p * FirmwareMemory::kLightingRecordSize));
    std::copy(page.begin(), page.end(),
              memory_.key_colours.begin() +
                  static_cast<std::ptrdiff_t>(p * FirmwareMemory::kKeyColourPageSize));
  }
  faults_ = FaultPlan{};
}

FirmwareMemory Firmware::Snapshot() const {
  std::lock_guard lock(mutex_);
  return memory_;
}

void Firmware::Restore(const FirmwareMemory& memory) {
  std::lock_guard lock(mutex_);
  memory_ = memory;
  memory_.macros.resize(FirmwareMemory::kMacroAreaMax, 0);
}

void Firmware::SetFaults(const FaultPlan& plan) {
  std::lock_guard lock(mutex_);
  faults_ = plan;
}

FaultPlan Firmware::Faults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

bool Firmware::TakeStrayReport() {
  std::lock_guard lock(mutex_);
  if (faults_.stray_reports <= 0) return false;
  --faults_.stray_reports;
  return true;
}

std::uint32_t Firmware::MacroSpaceBytes() const {
  return memory_.settings.MacroSpaceBytes();
}

std::optional<ReportBytes> Firmware::Handle(const ReportBytes& request) {
  std::lock_guard lock(mutex_);
  if (faults_.drop_replies > 0) {
    --faults_.drop_replies;
    return std::nullopt;
  }
  // A refused or busy request is not carried out; a wrong echo is a reply gone astray.
  std::optional<std::uint8_t> refused_status;
  if (faults_.busy_replies > 0) {
    --faults_.busy_replies;
    refused_status = device::kStatusBusy;
  } else if (faults_.refused_replies > 0) {
    --faults_.refused_replies;
    refused_status = device::kStatusRefused;
  }
  ReportBytes reply{};
  if (refused_status) {
    std::memcpy(reply.data(), request.data(), kOffsetPayload);
    reply[kOffsetStatus] = *refused_status;
  } else {
    reply = Answer(request);
  }
  if (faults_.wrong_command_replies > 0) {
    --faults_.wrong_command_replies;
    reply[kOffsetCommand] = static_cast<std::uint8_t>(reply[kOffsetCommand] + 0x40);
  }
  device::SealReport(reply);
  return reply;
}

// Must be called with the lock held.
ReportBytes Firmware::Answer(const ReportBytes& request) {
  ReportBytes reply{};
  std::memcpy(reply.data(), request.data(), kOffsetPayload);
  reply[kOffsetStatus] = 0;
  auto refuse = [&reply] {
    reply[kOffsetStatus] = device::kStatusRefused;
    return reply;
  };

  if (request[device::kOffsetReportId] != device::kReportId || request[kOffsetStatus] != 0) {
    return refuse();
  }
  if (ReadU16Le(request, device::kOffsetChecksum) != device::ReportChecksum(request)) {
    return refuse();
  }

  const std::size_t length = request[kOffsetLength];
  const std::size_t address = device::ReportAddress(request);
  const std::uint8_t* in = request.data() + kOffsetPayload;
  std::uint8_t* out = reply.data() + kOffsetPayload;

  // A read may reach past an area's end (the lighting and key-colour reads ask 56 or 54
  // bytes near the end); it answers zeros there. A write must lie inside the area.
  // A read request carries no data; anything in its payload is a host mistake.
  const bool empty_payload =
      std::all_of(in, in + kPayloadSize, [](std::uint8_t b) { return b == 0; });
  auto read = [&](const std::uint8_t* area, std::size_t size) {
    if (!empty_payload || length > kPayloadSize || address >= size) return refuse();
    ReadPadded(area, size, address, length, out);
    return reply;
  };
  auto read_exact = [&](const std::uint8_t* area, std::size_t size) {
    if (!empty_payload || length > kPayloadSize || address + length > size) return refuse();
    std::memcpy(out, area + address, length);
    return reply;
  };
  auto write = [&](std::uint8_t* area, std::size_t size) {
    if (length > kPayloadSize || address + length > size) return refuse();
    std::memcpy(area + address, in, length);
    return reply;
  };

  switch (static_cast<Command>(request[kOffsetCommand])) {
    case Command::kBegin:
    case Command::kEnd:
      // Only the exact request opens or closes a sequence.
      if (length != 0 || address != 0 || !empty_payload) return refuse();
      return reply;
    case Command::kReadSettings:
      if (length != device::SettingsBlock::kSize || address != 0 || !empty_payload) {
        return refuse();
      }
      std::memcpy(out, memory_.settings.bytes.data(), device::SettingsBlock::kSize);
      return reply;
    case Command::kWriteSettings: {
      if (length != device::SettingsBlock::kSize || address != 0) return refuse();
      // Only the active profile is the host's to change; macro space and the effect list
      // describe the hardware.
      const std::uint8_t profile = in[device::SettingsBlock::kOffsetActiveProfile];
      if (profile > 2) return refuse();
      memory_.settings.SetActiveProfile(profile);
      return reply;
    }
    case Command::kReadLighting:
      return read(memory_.lighting.data(), memory_.lighting.size());
    case Command::kWriteLighting:
      return write(memory_.lighting.data(), memory_.lighting.size());
    case Command::kReadKeyMap:
      return read_exact(memory_.key_maps.data(), memory_.key_maps.size());
    case Command::kWriteKeyMap:
      return write(memory_.key_maps.data(), memory_.key_maps.size());
    case Command::kReadMacros:
      return read_exact(memory_.macros.data(), MacroSpaceBytes());
    case Command::kWriteMacros:
      return write(memory_.macros.data(), MacroSpaceBytes());
    case Command::kReadDefaultLayout:
      return read_exact(memory_.default_layout.data(), memory_.default_layout.size());
    case Command::kReadKeyColours:
      return read(memory_.key_colours.data(), memory_.key_colours.size());
    case Command::kWriteKeyColours:
      return write(memory_.key_colours.data(), memory_.key_colours.size());
  }
  return refuse();
}

}  // namespace tarvolin::vkb
