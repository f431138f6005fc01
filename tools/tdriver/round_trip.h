#pragma once
// How quickly the program's user-interface thread answers: the time a message sent to the
// main window takes to come back.
#include <string>
#include <vector>

namespace tarvolin::tdriver {

extern const char kRoundTripUsage[];

// Runs "roundtrip [MS]" (args[0] is the command): sends WM_NULL to the main window and waits
// at most MS milliseconds (default 2000) for the answer; prints answered=1|0 and ms. Exit 0
// when it answered in time, 1 when not or when there is no main window. -1 for other commands.
int RunRoundTripCommand(const std::vector<std::string>& args, const std::wstring& exe);

}  // namespace tarvolin::tdriver
