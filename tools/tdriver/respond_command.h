#pragma once
// "respond MS": whether the program's user-interface thread handles a message within MS
// milliseconds, timed from inside Wine so the driver's own start-up does not count.
#include <string>
#include <vector>

namespace tarvolin::tdriver {

extern const char kRespondUsage[];

// Runs "respond MS" (args[0] is the command); -1 when args[0] is something else. Prints
// answered=1 and ms=N, exit 0; answered=0 and exit 1 when the window does not answer in time.
int RunRespondCommand(const std::vector<std::string>& args, const std::wstring& exe);

}  // namespace tarvolin::tdriver
