#pragma once
// Names of the 210 named events the main window creates for other programs: "%sMain_%02d"
// with the prefix "Tarvolin_Event_" and 1..210. Portable.
#include <string>

namespace tarvolin::mainwnd {

inline constexpr int kKeyEventCount = 210;

// Number 1..210.
std::wstring KeyEventName(int number);

}  // namespace tarvolin::mainwnd
