#include "app/startup_arguments.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

namespace tarvolin::app {
namespace {

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
         });
}

}  // namespace

std::vector<StartupAction> StartupActions(const std::vector<std::wstring>& arguments) {
  std::vector<StartupAction> actions;
  for (const std::wstring& argument : arguments) {
    if (EqualsIgnoringCase(argument, L"/Kill")) actions.push_back(StartupAction::kKill);
    if (EqualsIgnoringCase(argument, L"/Start")) actions.push_back(StartupAction::kStart);
  }
  return actions;
}

}  // namespace tarvolin::app
