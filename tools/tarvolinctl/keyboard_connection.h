#pragma once
#include "device/device_channel.h"

namespace tarvolin::ctl {

// Binds the channel to the keyboard: Quorlink.dll on Windows, as the program does; natively,
// the virtual keyboard in-process with its state file. False when no library can be bound.
bool ConnectKeyboard(device::DeviceChannel& channel);

// Waits until the library's pending callbacks are done (the in-process keyboard only).
void DisconnectKeyboard();

}  // namespace tarvolin::ctl
