#include "platform/qt/config_folder.h"

#include <QtGlobal>
#include <cstdlib>
#include <stdexcept>
#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace tw {

std::string userConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
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
    return std::string(home) + "/.config";
}

} // namespace tw
