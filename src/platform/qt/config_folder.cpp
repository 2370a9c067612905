#include "platform/qt/config_folder.h"

#include <QtGlobal>
#include <cstdlib>
#include <stdexcept>
#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace tw {

namespace {

// $variable when it is absolute, else the home folder followed by `inHome`.
std::string xdgDirectory(const char* variable, const char* inHome) {
    const char* xdg = std::getenv(variable);
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
#ifdef Q_OS_UNIX
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
#endif
    if (!home || !*home)
        throw std::runtime_error("Cannot find the home folder");
    return std::string(home) + inHome;
}

} // namespace

std::string userConfigDirectory() {
    return xdgDirectory("XDG_CONFIG_HOME", "/.config");
}

std::string userStateDirectory() {
    return xdgDirectory("XDG_STATE_HOME", "/.local/state");
}

} // namespace tw
