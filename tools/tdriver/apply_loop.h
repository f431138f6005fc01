#pragma once
// Applies again and again for a while, as a user who keeps restoring defaults and pressing
// Apply does; for the plug storm, where one driver process per click would be too slow.
#include <string>
#include <vector>

namespace tarvolin::tdriver {

extern const char kApplyLoopUsage[];

// Runs "apply-loop MS" (args[0] is the command): until MS milliseconds have passed, restore
// defaults answered Yes (a full Apply), then Apply again while Apply stays enabled (an
// Apply the keyboard did not take). Prints rounds and presses. Exit 1 when the program does
// not answer, asks something else or goes away. -1 for other commands.
int RunApplyLoopCommand(const std::vector<std::string>& args, const std::wstring& exe);

}  // namespace tarvolin::tdriver
