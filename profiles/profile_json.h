#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A readable JSON rendering of a profile file and its inverse, for tarvolinctl. The rendering
// shows the header, each group's assignments that differ from a reset group, the macros with
// their steps and the texts of launch-program and text-block records. Whatever the readable
// fields do not capture (a flag, unused bytes, a non-standard descriptor, bytes past the
// declared size) is kept as byte patches, so that building the JSON gives the file back byte
// for byte.

namespace tarvolin::profiles {

// The JSON text, or an empty optional with `error` set when the bytes are not a profile file
// the program can take apart (too short, over 100 macros, shorter than declared).
std::optional<std::string> ProfileFileToJson(std::span<const std::uint8_t> bytes,
                                             std::string& error);

// The file bytes, or an empty optional with `error` naming what is wrong in the JSON.
// "string_bytes" may be left out: the texts' packed size is then used.
std::optional<std::vector<std::uint8_t>> ProfileFileFromJson(std::string_view json,
                                                             std::string& error);

}  // namespace tarvolin::profiles
