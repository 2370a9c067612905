#include "platform/linux/x11_windows.h"

#include "platform/event_pump.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <stdexcept>
#include <string>

namespace tw {

namespace {

// Windows come and go while we look at them: a request about a vanished one fails with
// BadWindow, which only means "skip it".
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

// One connection to the display for the length of a call, with the atoms we need.
class Connection {
  public:
    Connection() : display_(XOpenDisplay(nullptr)) {
        if (!display_) {
            const char* name = std::getenv("DISPLAY");
            throw std::runtime_error(
                std::string("No X display could be reached to find the windows to close (") +
                (name && *name ? std::string("DISPLAY=") + name : "DISPLAY is not set") + ")");
        }
        previous_ = XSetErrorHandler(ignoreXError);
        const char* names[] = {"WM_STATE",    "WM_PROTOCOLS",        "WM_DELETE_WINDOW",
                               "_NET_WM_PID", "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG"};
        XInternAtoms(display_, const_cast<char**>(names), kAtoms, False, atoms_);
        int event = 0, error = 0, major = 0, minor = 0;
        hasXRes_ = XResQueryExtension(display_, &event, &error) &&
                   XResQueryVersion(display_, &major, &minor) &&
                   (major > 1 || (major == 1 && minor >= 2));
    }
    ~Connection() {
        XCloseDisplay(display_);
        XSetErrorHandler(previous_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* display() const { return display_; }
    Atom wmState() const { return atoms_[0]; }
    Atom wmProtocols() const { return atoms_[1]; }
    Atom wmDeleteWindow() const { return atoms_[2]; }
    Atom netWmPid() const { return atoms_[3]; }
    Atom netWmWindowType() const { return atoms_[4]; }
    Atom netWmWindowTypeDialog() const { return atoms_[5]; }
    bool hasXRes() const { return hasXRes_; }

  private:
    Display* display_;
    static constexpr int kAtoms = 6;
    XErrorHandler previous_ = nullptr;
    Atom atoms_[kAtoms] = {};
    bool hasXRes_ = false;
};

bool hasProperty(const Connection& c, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(c.display(), window, property, 0, 0, False,
                                          AnyPropertyType, &type, &format, &items, &after, &data);
    if (data)
        XFree(data);
    return status == Success && type != None;
}

// The children of a window, bottom of the stack first; empty when it vanished.
std::vector<Window> childrenOf(const Connection& c, Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(c.display(), window, &root, &parent, &children, &count))
        return {};
    std::vector<Window> result(children, children + count);
    if (children)
        XFree(children);
    return result;
}

bool acceptsDelete(const Connection& c, Window window) {
    Atom* protocols = nullptr;
    int count = 0;
    if (!XGetWMProtocols(c.display(), window, &protocols, &count))
        return false;
    const bool accepts =
        std::find(protocols, protocols + count, c.wmDeleteWindow()) != protocols + count;
    XFree(protocols);
    return accepts;
}

// Under a reparenting window manager the client sits somewhere among these windows (a
// frame's children, topmost last) and is the window that carries WM_STATE.
Window clientAmong(const Connection& c, const std::vector<Window>& windows, int depth) {
    if (depth == 0)
        return 0;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (hasProperty(c, *it, c.wmState()))
            return *it;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (const Window found = clientAmong(c, childrenOf(c, *it), depth - 1))
            return found;
    return 0;
}

// The client that takes a close request for a child of the root, or 0 for none.
Window closableClientOf(const Connection& c, Window child) {
    const auto closable = [&](Window w) { return acceptsDelete(c, w) ? w : 0; };
    if (hasProperty(c, child, c.wmState()))
        return closable(child);
    const std::vector<Window> inside = childrenOf(c, child);
    if (const Window client = clientAmong(c, inside, 3))
        return closable(client);
    // No window manager (or a window it never managed): the child itself, unless it is a
    // popup that bypasses window management.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(c.display(), child, &attributes) || attributes.override_redirect)
        return 0;
    if (acceptsDelete(c, child))
        return child;
    // A window manager that has just put a new window into its frame has not marked it yet:
    // for that moment the frame's own child is the client.
    for (auto it = inside.rbegin(); it != inside.rend(); ++it)
        if (acceptsDelete(c, *it))
            return *it;
    return 0;
}

// A question to the user: transient for another window, or typed as a dialog.
bool isDialog(const Connection& c, Window window) {
    Window owner = 0;
    if (XGetTransientForHint(c.display(), window, &owner) && owner != 0)
        return true;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    bool dialog = false;
    if (XGetWindowProperty(c.display(), window, c.netWmWindowType(), 0, 16, False, XA_ATOM, &type,
                           &format, &items, &after, &data) == Success &&
        type == XA_ATOM && format == 32) {
        const auto* types = reinterpret_cast<const Atom*>(data);
        dialog = std::find(types, types + items, c.netWmWindowTypeDialog()) != types + items;
    }
    if (data)
        XFree(data);
    return dialog;
}

// The process behind the window's connection as the server knows it (every client, even
// those that set no _NET_WM_PID, such as xmessage), else what the client says of itself.
int ownerPid(const Connection& c, Window window) {
    if (c.hasXRes()) {
        XResClientIdSpec query{window, XRES_CLIENT_ID_PID_MASK};
        long count = 0;
        XResClientIdValue* values = nullptr;
        int pid = -1;
        if (XResQueryClientIds(c.display(), 1, &query, &count, &values) == Success) {
            for (long i = 0; i < count && pid <= 0; ++i)
                if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID)
                    pid = XResGetClientPid(&values[i]);
            XResClientIdsDestroy(count, values);
        }
        if (pid > 0)
            return pid;
    }
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    int pid = 0;
    if (XGetWindowProperty(c.display(), window, c.netWmPid(), 0, 1, False, XA_CARDINAL, &type,
                           &format, &items, &after, &data) == Success &&
        type == XA_CARDINAL && format == 32 && items == 1)
        pid = static_cast<int>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

// The window a root property names (as _NET_SUPPORTING_WM_CHECK does), or 0.
Window windowProperty(const Connection& c, Window window, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    Window result = 0;
    if (XGetWindowProperty(c.display(), window, XInternAtom(c.display(), name, False), 0, 1, False,
                           XA_WINDOW, &type, &format, &items, &after, &data) == Success &&
        type == XA_WINDOW && format == 32 && items == 1)
        result = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return result;
}

} // namespace

std::vector<SparedProcess> x11SessionHolders() {
    std::unique_ptr<Connection> c;
    try {
        c = std::make_unique<Connection>();
    } catch (const std::runtime_error&) {
        return {};
    }
    std::vector<SparedProcess> holders;
    const auto add = [&](Window owner, const char* role) {
        if (owner == 0)
            return;
        if (const int pid = ownerPid(*c, owner); pid > 0)
            holders.push_back({pid, role});
    };
    Display* display = c->display();
    for (int screen = 0; screen < ScreenCount(display); ++screen) {
        const std::string n = std::to_string(screen);
        const auto owner = [&](const std::string& selection) {
            return XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False));
        };
        add(owner("WM_S" + n), "window manager");
        add(owner("_NET_WM_CM_S" + n), "compositing manager");
        add(owner("_NET_SYSTEM_TRAY_S" + n), "tray");
        add(windowProperty(*c, RootWindow(display, screen), "_NET_SUPPORTING_WM_CHECK"),
            "window manager");
    }
    return holders;
}

X11Windows::X11Windows(EventPump* events, int closeWaitMs)
    : events_(events), closeWaitMs_(closeWaitMs) {}

std::vector<TopLevelWindow> X11Windows::closableWindows() {
    const Connection c;
    const std::vector<Window> children = childrenOf(c, DefaultRootWindow(c.display()));
    std::vector<TopLevelWindow> result;
    // XQueryTree lists the stack bottom first; we give the topmost first.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const Window client = closableClientOf(c, *it))
            result.push_back({client, ownerPid(c, client), isDialog(c, client)});
    }
    return result;
}

void X11Windows::requestClose(WindowId id) {
    const Connection c;
    Display* display = c.display();
    const auto window = static_cast<Window>(id);
    // Listen before asking, so that a window that goes at once is not missed.
    XSelectInput(display, window, StructureNotifyMask);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return; // already gone

    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = c.wmProtocols();
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(c.wmDeleteWindow());
    request.xclient.data.l[1] = CurrentTime;
    if (!XSendEvent(display, window, False, NoEventMask, &request))
        throw CloseNotDelivered("the X server did not take the request");
    XFlush(display);

    // Wait until the window is destroyed or unmapped (a program may hide a window rather than
    // close it), waking on our connection itself so the answer is seen the moment it comes.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(closeWaitMs_);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if ((event.type == DestroyNotify && event.xdestroywindow.window == window) ||
                (event.type == UnmapNotify && event.xunmap.window == window))
                return;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return;
        if (events_) {
            // Our own window keeps answering meanwhile.
            events_->waitForEventsOrInput(ConnectionNumber(display),
                                          static_cast<int>(left.count()));
        } else {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left.count()));
        }
    }
}

} // namespace tw
