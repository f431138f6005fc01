#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/data_folder.h"

// The rows of the profile manager, without the window: what each row shows, what its
// registry value holds, and which rows may carry the tick. Portable, so the rules are tested
// natively.

namespace tarvolin::profiles {

// The extension every row's registry value ends with.
inline constexpr std::u16string_view kProfileRowExtension = u".tvc";

struct ProfileRow {
  std::u16string name;    // the file name without folder and extension
  std::u16string folder;  // drive and folder, with the trailing separator
  bool operator==(const ProfileRow&) const = default;
};

// Splits a path as the Windows path splitter does: the folder keeps its trailing separator
// (either slash), the extension (from the last dot of the file name) is dropped.
ProfileRow RowOfPath(std::u16string_view path);

// Folder, name and ".tvc": the row's PROFILE01.. value.
std::u16string RowValue(const ProfileRow& row);

// The rows of the three hardware profiles, in profile order.
std::vector<ProfileRow> HardwareProfileRows(DataFolder& folder);

// A tick stands for the hardware profile of the row's position; the keyboard keeps only
// three, so rows below them cannot be ticked.
bool TickAllowed(int row);

// The profile Apply makes active: the ticked row when it names a hardware profile, nothing
// otherwise (no tick, or a tick that slipped onto a row below the first three).
std::optional<int> ProfileToActivate(int tickedRow);

// The row Add appends after writing a default file to `path` (`written` is the writer's
// result): only when the write succeeded and the file is there, so no row names a file that
// does not exist.
std::optional<ProfileRow> AddedRow(int written, const std::filesystem::path& path);

}  // namespace tarvolin::profiles
