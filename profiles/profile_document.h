#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/key_assignment.h"
#include "model/macro_record.h"
#include "profiles/byte_patches.h"
#include "profiles/profile_file_format.h"

// A profile file taken apart into the fields its readable rendering shows, and built back.

namespace tarvolin::profiles {

struct GroupDocument {
  bool g_slot_tags = false;  // the reset of a hardware profile: G slots carry their tags
  std::vector<std::pair<std::uint16_t, model::KeyAssignment>> records;  // those unlike the reset
  std::vector<std::pair<std::uint16_t, std::u16string>> texts;
};

// Everything the rendering says about a file.
struct ProfileDocument {
  std::uint8_t flag = 0;
  std::optional<std::uint32_t> string_bytes;
  std::optional<std::array<std::uint8_t, kDescriptorBytes>> descriptor;  // empty: the standard
  std::array<GroupDocument, model::kProfileCount> groups;
  std::vector<model::MacroRecord> macros;
  std::vector<BytePatch> patches;
  std::vector<std::uint8_t> trailing;
};

// The fields of a file, with patches for whatever they do not capture; empty with `error` set
// when the bytes are not a profile file the program can take apart.
std::optional<ProfileDocument> DocumentOfFile(std::span<const std::uint8_t> bytes,
                                              std::string& error);

// The file bytes a document stands for.
std::optional<std::vector<std::uint8_t>> BuildFile(const ProfileDocument& document,
                                                   std::string& error);

}  // namespace tarvolin::profiles
