#include "app/win32/startup_checks.h"

#include <shellapi.h>

#include "app/program_paths.h"
#include "app/startup_arguments.h"
#include "app/win32/instance_locator.h"

namespace tarvolin::app {

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (list == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(list[i]);
  LocalFree(list);
  return arguments;
}

StartupOutcome RunStartupChecks(const std::vector<std::wstring>& arguments) {
  StartupOutcome outcome;
  const std::wstring& name = ThePaths().program_file_name;
  for (StartupAction action : StartupActions(arguments)) {
    if (action == StartupAction::kStart) {
      outcome.start_hidden = true;
      continue;
    }
    // "/Kill" ends this process whether or not an instance was running.
    const DWORD running = FindOtherInstance(name);
    if (running != 0) HandOver(running, HandOverMode::kKill);
    ExitProcess(0);
  }

  win32::UniqueHandle existing(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kInstanceMutexName));
  if (existing) {
    const DWORD running = FindOtherInstance(name);
    if (running != 0) {
      HandOver(running, HandOverMode::kOpen);
      ExitProcess(0);
    }
    outcome.instance_mutex = std::move(existing);
  } else {
    outcome.instance_mutex = win32::UniqueHandle(CreateMutexW(nullptr, TRUE, kInstanceMutexName));
  }
  LaunchCompanionDaemon(ThePaths().daemon);
  return outcome;
}

void LaunchCompanionDaemon(const std::wstring& path) {
  ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, L"", SW_HIDE);
}

}  // namespace tarvolin::app
