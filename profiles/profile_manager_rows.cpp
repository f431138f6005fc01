#include "profiles/profile_manager_rows.h"

#include <system_error>

namespace tarvolin::profiles {

ProfileRow RowOfPath(std::u16string_view path) {
  const std::size_t separator = path.find_last_of(u"\\/");
  const std::size_t nameStart = separator == std::u16string_view::npos ? 0 : separator + 1;
  std::u16string_view name = path.substr(nameStart);
  if (const std::size_t dot = name.find_last_of(u'.'); dot != std::u16string_view::npos) {
    name = name.substr(0, dot);
  }
  return {std::u16string(name), std::u16string(path.substr(0, nameStart))};
}

std::u16string RowValue(const ProfileRow& row) {
  return row.folder + row.name + std::u16string(kProfileRowExtension);
}

std::vector<ProfileRow> HardwareProfileRows(DataFolder& folder) {
  std::vector<ProfileRow> rows;
  for (int i = 0; i < kHardwareProfileFiles; ++i) {
    rows.push_back(RowOfPath(folder.ProfileFilePath(i).u16string()));
  }
  return rows;
}

bool TickAllowed(int row) {
  return row >= 0 && row < kHardwareProfileFiles;
}

std::optional<int> ProfileToActivate(int tickedRow) {
  if (!TickAllowed(tickedRow)) return std::nullopt;
  return tickedRow;
}

std::optional<ProfileRow> AddedRow(int written, const std::filesystem::path& path) {
  std::error_code error;
  if (written != 1 || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
  return RowOfPath(path.u16string());
}

}  // namespace tarvolin::profiles
