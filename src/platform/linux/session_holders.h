#pragma once

#include "platform/processes.h"

#include <vector>

namespace tw {

// The processes a close must spare, as /proc shows them: every ancestor of this process, the
// leader of its session and of the login session, and the holders of the session's
// listening sockets (X display, Wayland display, session bus, the user's service manager),
// found by matching the sockets' inodes in /proc/net/unix with the processes' descriptors.
// Processes of other users are not looked at. Window-system roles come from
// x11SessionHolders().
std::vector<SparedProcess> procSessionHolders();

} // namespace tw
