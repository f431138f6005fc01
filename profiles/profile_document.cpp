#include "profiles/profile_document.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "model/key_buttons.h"
#include "model/key_map.h"
#include "profiles/profile_content.h"
#include "profiles/string_area.h"

namespace tarvolin::profiles {
namespace {

using Bytes = std::vector<std::uint8_t>;
using model::KeyAssignment;
using model::MacroRecord;

std::array<std::uint8_t, kDescriptorBytes> StandardDescriptor() {
  auto set = std::make_unique<model::ProfileSet>();
  model::WriteProfileSetDescriptor(*set);
  std::array<std::uint8_t, kDescriptorBytes> descriptor{};
  std::memcpy(descriptor.data(), set->header.data() + kDescriptorOffset, kDescriptorBytes);
  return descriptor;
}

KeyAssignment ResetRecord(bool g_slot_tags, std::size_t slot) {
  KeyAssignment record;
  if (g_slot_tags && model::IsGSlot(slot)) record.tag = model::GSlotTag(slot);
  return record;
}

// The readable parts of a macro record; anything else is left to the patches.
MacroRecord ReadableMacro(const MacroRecord& stored) {
  MacroRecord macro;
  macro.SetName(stored.Name());
  macro.play_count = stored.play_count;
  macro.reserved1 = stored.reserved1;
  macro.new_mark = stored.new_mark;
  macro.play_mode = stored.play_mode;
  macro.id = stored.id;
  macro.reserved2 = stored.reserved2;
  const auto actions = stored.UsedActions();
  std::copy(actions.begin(), actions.end(), macro.actions.begin());
  macro.action_count = static_cast<std::uint16_t>(actions.size());
  return macro;
}

}  // namespace

std::optional<ProfileDocument> DocumentOfFile(std::span<const std::uint8_t> bytes,
                                              std::string& error) {
  ProfileContent content;
  switch (ParseProfileContent(bytes, content)) {
    case ContentFault::kNone:
      break;
    case ContentFault::kShorterThanProfileSet:
      error = "not a profile file: fewer than 32832 bytes";
      return std::nullopt;
    case ContentFault::kTooManyMacros:
      error = "not a profile file: the header counts more than 100 macros";
      return std::nullopt;
    case ContentFault::kShorterThanDeclared:
      error = "not a profile file: the file is shorter than its header declares";
      return std::nullopt;
  }
  const ProfileFileHeader header = ProfileFileHeader::Parse(bytes.first<kFileHeaderBytes>());
  ProfileDocument document;
  document.flag = header.flag;
  document.string_bytes = header.string_bytes;
  std::array<std::uint8_t, kDescriptorBytes> descriptor{};
  std::memcpy(descriptor.data(), bytes.data() + kDescriptorOffset, kDescriptorBytes);
  if (descriptor != StandardDescriptor()) document.descriptor = descriptor;

  const model::ProfileSet& set = *content.set;
  for (int g = 0; g < model::kProfileCount; ++g) {
    GroupDocument& group = document.groups[static_cast<std::size_t>(g)];
    int tagged = 0;
    for (std::uint16_t slot = model::kFirstGSlot; slot < model::kFirstGSlot + model::kGSlotCount;
         ++slot) {
      tagged += set.Record(g, slot).tag == model::GSlotTag(slot) ? 1 : 0;
    }
    group.g_slot_tags = tagged * 2 >= model::kGSlotCount;
    for (std::uint16_t slot = 0; slot < model::kSlotsPerProfile; ++slot) {
      if (set.Record(g, slot) != ResetRecord(group.g_slot_tags, slot)) {
        group.records.emplace_back(slot, set.Record(g, slot));
      }
    }
  }
  for (const auto& [index, text] : content.texts) {
    document.groups[index / model::kSlotsPerProfile].texts.emplace_back(
        static_cast<std::uint16_t>(index % model::kSlotsPerProfile), text);
  }
  for (const MacroRecord& macro : content.macros) document.macros.push_back(ReadableMacro(macro));

  const std::size_t declared =
      static_cast<std::size_t>(DeclaredFileSize(header.macro_count, header.string_bytes));
  const std::optional<Bytes> built = BuildFile(document, error);
  if (!built || built->size() != declared) {
    error = "the file could not be rendered";
    return std::nullopt;
  }
  document.patches = FindPatches(*built, bytes.first(declared));
  document.trailing.assign(bytes.begin() + static_cast<std::ptrdiff_t>(declared), bytes.end());
  return document;
}

std::optional<Bytes> BuildFile(const ProfileDocument& document, std::string& error) {
  auto set = std::make_unique<model::ProfileSet>();
  std::vector<model::StringEntry> strings(model::kRecordCount);
  std::uint64_t text_bytes = 0;
  for (int g = 0; g < model::kProfileCount; ++g) {
    const GroupDocument& group = document.groups[static_cast<std::size_t>(g)];
    for (std::uint16_t slot = 0; slot < model::kSlotsPerProfile; ++slot) {
      set->Record(g, slot) = ResetRecord(group.g_slot_tags, slot);
    }
    for (const auto& [slot, record] : group.records) set->Record(g, slot) = record;
    for (const auto& [slot, text] : group.texts) {
      model::StringEntry& entry =
          strings[static_cast<std::size_t>(g) * model::kSlotsPerProfile + slot];
      text_bytes -= entry.bytes;
      entry.text = text.substr(0, text.find(u'\0'));
      entry.bytes = static_cast<std::uint32_t>(2 * (entry.text.size() + 1));
      text_bytes += entry.bytes;
    }
  }
  const std::uint64_t string_bytes = document.string_bytes.value_or(text_bytes);
  if (DeclaredFileSize(document.macros.size(), string_bytes) > kMaxProfileFileBytes) {
    error = "the file would be larger than 4 GiB";
    return std::nullopt;
  }

  model::WriteProfileHeader(*set, static_cast<std::uint16_t>(document.macros.size()),
                            static_cast<std::uint32_t>(string_bytes));
  if (document.flag != 0) {
    set->header[30] = document.flag;
    set->header[31] = HeaderChecksum(std::span(set->header).first<kFileHeaderBytes>());
  }
  const auto descriptor = document.descriptor.value_or(StandardDescriptor());
  std::memcpy(set->header.data() + kDescriptorOffset, descriptor.data(), kDescriptorBytes);

  const Bytes area = PackStringArea(
      *set, [&strings](std::size_t i) -> const model::StringEntry& { return strings[i]; },
      static_cast<std::uint32_t>(string_bytes));
  Bytes bytes(kProfileSetBytes + kMacroRecordBytes * document.macros.size());
  std::memcpy(bytes.data(), set.get(), kProfileSetBytes);
  if (!document.macros.empty()) {
    std::memcpy(bytes.data() + kProfileSetBytes, document.macros.data(),
                kMacroRecordBytes * document.macros.size());
  }
  bytes.insert(bytes.end(), area.begin(), area.end());
  if (!ApplyPatches(document.patches, bytes, error)) return std::nullopt;
  bytes.insert(bytes.end(), document.trailing.begin(), document.trailing.end());
  return bytes;
}

}  // namespace tarvolin::profiles
