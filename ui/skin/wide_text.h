#pragma once
// UTF-16 text crosses into Win32 here: on Windows wchar_t and char16_t hold the same units.
#include <string>
#include <string_view>

namespace tarvolin::skin {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string ToU16(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

}  // namespace tarvolin::skin
