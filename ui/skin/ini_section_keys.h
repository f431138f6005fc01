#pragma once
// The key names of one section of an INI file, for tools that show a whole skin.
#include <string>
#include <string_view>
#include <vector>

namespace tarvolin::skin {

// In file order; empty when the file or section is missing.
std::vector<std::u16string> ListSectionKeys(const std::u16string& path,
                                            std::u16string_view section);

}  // namespace tarvolin::skin
