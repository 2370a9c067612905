#include "platform/services.h"

#include <QString>
#include <QtGlobal>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tw {

namespace {
std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The socket a Wayland client connects to: WAYLAND_DISPLAY itself when it is a path, else
// that name in XDG_RUNTIME_DIR.
std::string waylandSocket(const std::string& display) {
    if (display.front() == '/')
        return display;
    return variable("XDG_RUNTIME_DIR") + "/" + display;
}

bool accepts(const std::string& socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

QtMessageHandler previousHandler = nullptr;

void endOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (previousHandler)
            previousHandler(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        return;
    }
    std::fprintf(stderr,
                 "%s\ntidewell: no Qt platform plugin could start here. On a Wayland desktop "
                 "Tidewell needs the Qt Wayland plugin (Debian: qt6-wayland); with a working X "
                 "display (DISPLAY) it uses X11.\n",
                 qPrintable(message));
    std::fflush(stderr);
    std::_Exit(2);
}
} // namespace

std::string displayProblem() {
    // A platform chosen by hand (offscreen, vnc, ...) is the user's to answer for.
    if (!variable("QT_QPA_PLATFORM").empty())
        return {};
    // Qt tries Wayland first where a compositor answers, and X11 after it.
    const std::string wayland = variable("WAYLAND_DISPLAY");
    if (!wayland.empty() && accepts(waylandSocket(wayland)))
        return {};
    const std::string x11 = variable("DISPLAY");
    if (x11.empty()) {
        if (!wayland.empty())
            return "cannot reach the Wayland display \"" + wayland +
                   "\". Check that the compositor runs and that WAYLAND_DISPLAY and "
                   "XDG_RUNTIME_DIR name its socket.";
        return "no display found. Tidewell is a desktop program: run it in a graphical session "
               "(DISPLAY or WAYLAND_DISPLAY set), or use 'make run', which starts a private X "
               "server when none is there.";
    }
    Display* display = XOpenDisplay(x11.c_str());
    if (!display)
        return "cannot open the X display \"" + x11 +
               "\". Check that the X server runs and that this user may connect to it "
               "(xauth, XAUTHORITY).";
    XCloseDisplay(display);
    return {};
}

PlatformStartGuard::PlatformStartGuard() {
    previousHandler = qInstallMessageHandler(endOnFatal);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previousHandler);
}

} // namespace tw
