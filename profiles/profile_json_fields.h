#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "profiles/json_text.h"
#include "profiles/profile_document.h"

// The fields of the readable profile rendering: what a document becomes (rendering) and how
// it is read back.

namespace tarvolin::profiles {

inline constexpr std::string_view kProfileFormatName = "tarvolin profile file";

// Assignment types by their number.
inline constexpr std::array<std::string_view, 9> kAssignmentTypeNames = {
    "default",    "disabled",   "single_key", "launch_program", "macro",
    "stop_macro", "text_block", "multimedia", "function"};

// The rendering of `document`, taken from the file `bytes` (whose header it shows).
Json DocumentJson(const ProfileDocument& document, std::span<const std::uint8_t> bytes);

// Reads a rendering back; false with `error` naming the path of the first bad value.
bool ReadDocument(const Json& root, ProfileDocument& document, std::string& error);

}  // namespace tarvolin::profiles
