#pragma once

#include <string>

namespace tw {

// Starts the executable with no arguments, in workingDirectory, fully detached from us: its
// own session, re-parented away (no zombie), stdio on /dev/null and none of our other
// descriptors. Throws LaunchFailed with the reason when it could not be executed.
void spawnDetached(const std::string& executable, const std::string& workingDirectory);

// Why a file could not be started, in a few lower-case words, for a launch refused with this
// error number.
std::string launchFailureReason(int error);

} // namespace tw
