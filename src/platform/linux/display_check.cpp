#include "platform/services.h"

#include <X11/Xlib.h>
#include <cstdlib>

namespace tw {

namespace {
std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

std::string displayProblem() {
    // A platform chosen by hand (offscreen, vnc, ...) is the user's to answer for.
    if (!variable("QT_QPA_PLATFORM").empty())
        return {};
    const std::string x11 = variable("DISPLAY");
    if (x11.empty()) {
        if (!variable("WAYLAND_DISPLAY").empty())
            return {};
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

} // namespace tw
