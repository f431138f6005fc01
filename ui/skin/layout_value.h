#pragma once
// Placement values of the skin INI files: "x,y,w,h" in client pixels.
// Portable: no Win32 here, so the parsing is tested natively too.
#include <string>
#include <string_view>

namespace tarvolin::skin {

// What a missing key yields; the trailing "x" keeps it from looking like a real value.
inline constexpr std::u16string_view kLayoutDefault = u"1,1,1,1,x";
// Private-profile values are read into a buffer of this many characters.
inline constexpr std::size_t kLayoutBufferChars = 260;

struct LayoutValue {
  int x = 1;
  int y = 1;
  int width = 1;
  int height = 1;

  // (1, 1) marks a control the skin does not have: image buttons placed there are disabled.
  bool IsAbsent() const { return x == 1 && y == 1; }
  bool operator==(const LayoutValue&) const = default;
};

// Parses up to four comma-separated decimal integers; anything after the fourth is ignored.
// Numbers that are missing or malformed keep the default 1 (so a garbage value places the
// control as absent), a number outside the int range is clamped, and a negative size
// becomes 0.
LayoutValue ParseLayoutValue(std::u16string_view text);

}  // namespace tarvolin::skin
