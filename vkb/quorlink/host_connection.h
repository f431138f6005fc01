#pragma once
#include <memory>

#include "vkb/quorlink/host_address.h"
#include "vkb/quorlink/message_pipe.h"

namespace tarvolin::vkb {

// Connects to the keyboard host at `address`, starting it (hidden) when none serves the pipe
// and `start` is true, and trying for a few seconds while it comes up. Nothing when no host
// could be reached.
std::unique_ptr<MessagePipe> ConnectToHost(const HostAddress& address, bool start);

}  // namespace tarvolin::vkb
