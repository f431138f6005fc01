#pragma once
// The command line of Tarvolin.exe: "/Kill" and "/Start", in any case, in order; anything
// else is ignored. Portable.
#include <string>
#include <vector>

namespace tarvolin::app {

enum class StartupAction { kKill, kStart };

// The actions of the arguments after the program name, in the order given.
std::vector<StartupAction> StartupActions(const std::vector<std::wstring>& arguments);

}  // namespace tarvolin::app
