// A small X client for the close tests. Usage:
//   x_test_client [--windows N] [--refuse] [--hidden] [--no-protocol] [--dialog] [--ask]
//                 [--framed]
// It creates N top-level windows (mapped unless --hidden) that take part in WM_DELETE_WINDOW
// (unless --no-protocol), prints "ready" once they are up, "asked K" for each close request
// on window K (1 = first created), closes the window unless --refuse, and exits when none
// is left.
// --dialog adds, before "ready", a dialog transient for window 1 (a question already open).
// --ask behaves like an editor with unsaved work: a close request on window K opens a new
// top-level question window instead of closing ("question" once it is mapped) and window K
// stays. Requests to the dialog or the question print "asked dialog" / "asked question" and
// are otherwise ignored, as a question waiting for its user would.
// --framed puts each window, unmapped, into a frame of its own at the root that carries no
// property: how a window manager leaves a new window between taking it into its frame and
// marking it managed (WM_STATE).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

Display* display = nullptr;
Atom wmDelete = None;

Window createWindow(const std::string& title, int offset, bool protocol) {
    Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 10 + 30 * offset,
                                   10 + 30 * offset, 120, 60, 1, 0, 0xffffff);
    XStoreName(display, w, title.c_str());
    if (protocol)
        XSetWMProtocols(display, w, &wmDelete, 1);
    XSelectInput(display, w, StructureNotifyMask);
    return w;
}

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Maps the window and returns once it is really mapped (a window manager may take its time).
void mapAndWait(Window w) {
    XMapWindow(display, w);
    for (;;) {
        XEvent event;
        XWindowEvent(display, w, StructureNotifyMask, &event);
        if (event.type == MapNotify)
            return;
    }
}

} // namespace

int main(int argc, char** argv) {
    int count = 1;
    bool refuse = false, hidden = false, protocol = true, dialog = false, ask = false,
         framed = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--windows") && i + 1 < argc)
            count = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--refuse"))
            refuse = true;
        else if (!std::strcmp(argv[i], "--hidden"))
            hidden = true;
        else if (!std::strcmp(argv[i], "--no-protocol"))
            protocol = false;
        else if (!std::strcmp(argv[i], "--dialog"))
            dialog = true;
        else if (!std::strcmp(argv[i], "--ask"))
            ask = true;
        else if (!std::strcmp(argv[i], "--framed"))
            framed = true;
    }
    display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    wmDelete = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    std::vector<Window> windows;
    for (int i = 0; i < count; ++i)
        windows.push_back(
            createWindow("tidewell test window " + std::to_string(i + 1), i, protocol));
    if (framed)
        for (Window w : windows) {
            const Window frame = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 140,
                                                     80, 0, 0, 0xffffff);
            XReparentWindow(display, w, frame, 0, 0);
        }
    if (!hidden && !framed)
        for (Window w : windows)
            mapAndWait(w);
    Window dialogWindow = 0, question = 0;
    if (dialog) {
        dialogWindow = createWindow("tidewell test dialog", count, true);
        XSetTransientForHint(display, dialogWindow, windows.at(0));
        Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
        Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        XChangeProperty(display, dialogWindow, type, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&dialogType), 1);
        mapAndWait(dialogWindow);
    }
    // Hidden windows were only queued: on the server before anyone is told they exist.
    XSync(display, False);
    say("ready");
    std::size_t open = windows.size();
    while (open > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != wmProtocols ||
            static_cast<Atom>(event.xclient.data.l[0]) != wmDelete)
            continue;
        const Window target = event.xclient.window;
        if (target == dialogWindow || (question && target == question)) {
            say(target == dialogWindow ? "asked dialog" : "asked question");
            continue;
        }
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i] == target) {
                say("asked " + std::to_string(i + 1));
                if (ask) {
                    if (!question) {
                        question = createWindow("Save changes?", count + 1, true);
                        mapAndWait(question);
                        say("question");
                    }
                } else if (!refuse) {
                    XDestroyWindow(display, windows[i]);
                    XSync(display, False);
                    --open;
                }
            }
    }
    XCloseDisplay(display);
    return 0;
}
