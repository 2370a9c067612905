#pragma once

#include <string>

namespace tw {

// The user's configuration folder, where the settings file and the autostart folder live:
// $XDG_CONFIG_HOME when it is absolute, else the home folder's .config, the home folder
// being $HOME or, when that is unset, the user's entry in the password database. Throws
// std::runtime_error when there is no home folder at all.
std::string userConfigDirectory();
// Where the user's programs keep state that outlives them, such as logs: $XDG_STATE_HOME, or
// the home folder's .local/state, found as above.
std::string userStateDirectory();

} // namespace tw
