#pragma once

#include "platform/processes.h"

#include <string>
#include <vector>

namespace tw {

// The processes a close must spare, as /proc shows them: every ancestor of this process, the
// leader of its session and of the login session, and the holders of the session's
// listening sockets (X display, Wayland display, session bus, the user's service manager),
// found by matching the sockets' inodes in /proc/net/unix with the processes' descriptors.
// Processes of other users are not looked at. Window-system roles come from
// x11SessionHolders().
std::vector<SparedProcess> procSessionHolders();

// The listening socket names, as /proc/net/unix shows them ("@" for an abstract name), that
// hold the session described by these variables' values, each with its role.
struct SessionSocket {
    std::string name;
    std::string role;
};
std::vector<SessionSocket> sessionSockets(const std::string& display,
                                          const std::string& waylandDisplay,
                                          const std::string& sessionBus,
                                          const std::string& runtimeDir);

} // namespace tw
