#pragma once
#include "device/device_channel.h"

namespace tarvolin::device {

// Loads Quorlink.dll by plain name (from the program's folder or the system folders, never
// the current folder) and resolves its twelve entry points. False when anything is missing.
bool LoadHidLibrary(HidLibraryApi& api);

// The program's start-up binding: load, resolve, Init(0). Any failure ends the process with
// exit code 0 and no message. The library is never unloaded.
void BindHidLibraryOrExit(DeviceChannel& channel);

}  // namespace tarvolin::device
