#pragma once
#include <string>
#include <string_view>

namespace tarvolin::win32 {

// Text crosses into the Windows API here: the core keeps UTF-16 as char16_t, Windows takes
// wchar_t (the same 16-bit units on this platform).
std::wstring ToWide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

// UTF-8 (command lines of the tools, file names in logs) to and from UTF-16. Broken sequences
// become U+FFFD rather than failing the whole text.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace tarvolin::win32
