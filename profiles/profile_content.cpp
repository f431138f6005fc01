#include "profiles/profile_content.h"

#include <cstring>
#include <new>

#include "profiles/profile_file_format.h"
#include "profiles/string_area.h"

namespace tarvolin::profiles {

ContentFault ParseProfileContent(std::span<const std::uint8_t> bytes, ProfileContent& content) {
  content = ProfileContent{};
  if (bytes.size() < kProfileSetBytes) return ContentFault::kShorterThanProfileSet;
  const ProfileFileHeader header = ProfileFileHeader::Parse(bytes.first<kFileHeaderBytes>());
  if (header.macro_count > model::kMaxMacros) return ContentFault::kTooManyMacros;
  const std::uint64_t declared = DeclaredFileSize(header.macro_count, header.string_bytes);
  if (bytes.size() < declared) return ContentFault::kShorterThanDeclared;

  auto set = std::make_unique<model::ProfileSet>();
  std::memcpy(static_cast<void*>(set.get()), bytes.data(), kProfileSetBytes);
  std::vector<model::MacroRecord> macros(header.macro_count);
  if (!macros.empty()) {
    std::memcpy(static_cast<void*>(macros.data()), bytes.data() + kProfileSetBytes,
                kMacroRecordBytes * macros.size());
  }
  const std::span<const std::uint8_t> area =
      bytes.subspan(kProfileSetBytes + kMacroRecordBytes * macros.size(), header.string_bytes);
  for (std::size_t i = 0; i < model::kRecordCount; ++i) {
    const model::KeyAssignment& record = set->records[i];
    if (!IsStringType(record.type)) continue;
    if (auto text = TextInStringArea(area, record.value)) {
      content.texts.emplace_back(i, std::move(*text));
    }
  }
  content.set = std::move(set);
  content.macros = std::move(macros);
  return ContentFault::kNone;
}

ProfileFileLoad LoadProfileFile(const std::filesystem::path& path) {
  ProfileFileLoad load;
  try {
    FileBytes head = ReadFileBytes(path, kProfileSetBytes);
    load.status = head.status;
    if (head.status != ReadStatus::kOk) return load;
    if (head.bytes.size() < kProfileSetBytes) {
      load.fault = ContentFault::kShorterThanProfileSet;
      return load;
    }
    const ProfileFileHeader header = ProfileFileHeader::Parse(
        std::span<const std::uint8_t>(head.bytes).first<kFileHeaderBytes>());
    if (header.macro_count > model::kMaxMacros) {
      load.fault = ContentFault::kTooManyMacros;
      return load;
    }
    const std::uint64_t declared = DeclaredFileSize(header.macro_count, header.string_bytes);
    FileBytes whole = ReadFileBytes(path, declared);
    load.status = whole.status;
    if (whole.status != ReadStatus::kOk) return load;
    load.fault = ParseProfileContent(whole.bytes, load.content);
  } catch (const std::bad_alloc&) {
    load.status = ReadStatus::kOutOfMemory;
    load.content = ProfileContent{};
  }
  return load;
}

bool InstallProfileContent(model::EditedConfig& config, ProfileContent&& content) {
  std::lock_guard lock(config.mutex());
  config.Release();
  config.profiles = std::move(content.set);
  config.macros = std::move(content.macros);
  try {
    for (const auto& [index, text] : content.texts) config.SetString(index, text);
  } catch (const std::bad_alloc&) {
    return false;  // the texts stop there; the set and the macros are in place
  }
  return true;
}

}  // namespace tarvolin::profiles
