#pragma once
#include <string>

namespace tarvolin::vkb {

// Where the one virtual keyboard of this user and state file lives.
struct HostAddress {
  std::wstring pipe;        // the host's pipe
  std::wstring state_path;  // its state file, a full path
  std::wstring host_exe;    // vkbhost.exe, started when no host serves the pipe
};

// `folder` holds Quorlink.dll, vkbctl.exe and vkbhost.exe (with a trailing separator). The
// state file is $TARVOLIN_VKB_STATE, else vkb-state.bin in `folder`. The pipe is
// $TARVOLIN_VKB_PIPE, else \\.\pipe\tarvolin-vkb-<hash of the user's SID and the state
// path>: every client of one state file finds the same host, and test groups with their own
// state files get hosts of their own.
HostAddress LocateHost(const std::wstring& folder);

// The folder of the module that holds `address_in_module` (the DLL or the program).
std::wstring ModuleFolder(const void* address_in_module);

}  // namespace tarvolin::vkb
