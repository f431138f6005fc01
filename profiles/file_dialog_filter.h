#pragma once
#include <string>
#include <string_view>

// What the profile file dialogs show, and the filter in the form the Windows dialogs take.

namespace tarvolin::profiles {

inline constexpr std::u16string_view kProfileFileFilter = u"(*.tvc)|*.tvc|(*.*)|*.*||";
inline constexpr std::u16string_view kProfileDefaultExtension = u"tvc";
inline constexpr std::u16string_view kProfileInitialFileName = u"*.tvc";

// A filter written as "text|pattern|text|pattern||" turned into the list of NUL-terminated
// texts that ends with an empty one ("text\0pattern\0...\0\0"). The result always ends with
// two NULs, also when the written filter lacks the closing "||".
std::u16string FileDialogFilter(std::u16string_view filter);

}  // namespace tarvolin::profiles
