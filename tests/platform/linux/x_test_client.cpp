// A small X client for the close tests. Usage:
//   x_test_client [--windows N] [--refuse] [--hidden] [--no-protocol]
// It creates N top-level windows (mapped unless --hidden) that take part in WM_DELETE_WINDOW
// (unless --no-protocol), prints "ready" once they are up, "asked K" for each close request
// on window K (1 = first created), closes the window unless --refuse, and exits when none
// is left.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    int count = 1;
    bool refuse = false, hidden = false, protocol = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--windows") && i + 1 < argc)
            count = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--refuse"))
            refuse = true;
        else if (!std::strcmp(argv[i], "--hidden"))
            hidden = true;
        else if (!std::strcmp(argv[i], "--no-protocol"))
            protocol = false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    Atom wmDelete = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    std::vector<Window> windows;
    for (int i = 0; i < count; ++i) {
        Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 10 + 30 * i,
                                       10 + 30 * i, 120, 60, 1, 0, 0xffffff);
        XStoreName(display, w, ("tidewell test window " + std::to_string(i + 1)).c_str());
        if (protocol)
            XSetWMProtocols(display, w, &wmDelete, 1);
        XSelectInput(display, w, StructureNotifyMask);
        windows.push_back(w);
    }
    int waiting = 0;
    if (!hidden)
        for (Window w : windows) {
            XMapWindow(display, w);
            ++waiting;
        }
    XSync(display, False);
    // Ready once every window is really mapped (a window manager may take its time).
    while (waiting > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            --waiting;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::size_t open = windows.size();
    while (open > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != wmProtocols ||
            static_cast<Atom>(event.xclient.data.l[0]) != wmDelete)
            continue;
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i] == event.xclient.window) {
                std::printf("asked %zu\n", i + 1);
                std::fflush(stdout);
                if (!refuse) {
                    XDestroyWindow(display, windows[i]);
                    XSync(display, False);
                    --open;
                }
            }
    }
    XCloseDisplay(display);
    return 0;
}
