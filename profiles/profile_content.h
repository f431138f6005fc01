#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/config_state.h"
#include "model/key_assignment.h"
#include "model/macro_record.h"
#include "profiles/file_io.h"

// A profile file taken apart into what the EditedConfig holds: the ProfileSet, the macro
// records and the texts of the string-type records.

namespace tarvolin::profiles {

struct ProfileContent {
  std::unique_ptr<model::ProfileSet> set;
  std::vector<model::MacroRecord> macros;
  std::vector<std::pair<std::size_t, std::u16string>> texts;  // record index, text
};

// What stops a file from being taken apart. Only the sizes are looked at: the header's other
// fields are the validation's concern.
enum class ContentFault {
  kNone,
  kShorterThanProfileSet,  // fewer than 32832 bytes
  kTooManyMacros,          // the header counts more than 100
  kShorterThanDeclared,    // the file ends before the macros and strings it declares
};

// Splits `bytes` into the three blocks. Every string-type record gets the text at its
// offset; one whose offset lies past the string area gets none.
ContentFault ParseProfileContent(std::span<const std::uint8_t> bytes, ProfileContent& content);

struct ProfileFileLoad {
  ReadStatus status = ReadStatus::kMissing;
  ContentFault fault = ContentFault::kNone;
  ProfileContent content;
  bool Loaded() const { return status == ReadStatus::kOk && fault == ContentFault::kNone; }
};

// Reads the file for reading only, no further than the size its header declares.
ProfileFileLoad LoadProfileFile(const std::filesystem::path& path);

// Replaces everything the EditedConfig holds with `content`. False when memory ran out while
// the texts were copied (the texts then stop there).
bool InstallProfileContent(model::EditedConfig& config, ProfileContent&& content);

}  // namespace tarvolin::profiles
