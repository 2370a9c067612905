#include "platform/linux/app_quit_windows.h"

#include "platform/event_pump.h"
#include "platform/linux/deadline.h"
#include "platform/linux/session_bus.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace tw {

namespace {

const char* const kApplication = "org.freedesktop.Application";

// The object a GApplication exports for its id: org.gnome.TextEditor at
// /org/gnome/TextEditor.
std::string objectPathOf(const std::string& name) {
    std::string path = "/" + name;
    std::replace(path.begin(), path.end(), '.', '/');
    std::replace(path.begin(), path.end(), '-', '_');
    return path;
}

bool offersQuit(SessionBus& bus, const std::string& name) {
    try {
        const VariantPtr reply =
            bus.call(name, objectPathOf(name), "org.gtk.Actions", "List", nullptr, 500);
        GVariantIter* actions = nullptr;
        g_variant_get(reply.get(), "(as)", &actions);
        const gchar* action = nullptr;
        bool quit = false;
        while (g_variant_iter_loop(actions, "&s", &action))
            quit = quit || std::string(action) == "quit";
        g_variant_iter_free(actions);
        return quit;
    } catch (const std::runtime_error&) {
        return false; // not an application, or it did not answer in time
    }
}

} // namespace

bool usesWayland(int pid) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("/libwayland-client.so") != std::string::npos)
            return true;
    return false;
}

AppQuitWindows::AppQuitWindows(EventPump* events, int closeWaitMs)
    : events_(events), closeWaitMs_(closeWaitMs) {}

std::vector<TopLevelWindow> AppQuitWindows::closableWindows() {
    SessionBus bus;
    const VariantPtr reply = bus.call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                      "org.freedesktop.DBus", "ListNames", nullptr);
    GVariantIter* names = nullptr;
    g_variant_get(reply.get(), "(as)", &names);
    std::vector<TopLevelWindow> result;
    const gchar* name = nullptr;
    while (g_variant_iter_loop(names, "&s", &name)) {
        if (name[0] == ':' || std::string(name).rfind("org.freedesktop.", 0) == 0)
            continue;
        const int pid = bus.pidOf(name);
        if (pid <= 0 || !offersQuit(bus, name))
            continue;
        auto known = std::find(names_.begin(), names_.end(), name);
        if (known == names_.end())
            known = names_.insert(names_.end(), name);
        result.push_back({static_cast<WindowId>(known - names_.begin() + 1), pid});
    }
    g_variant_iter_free(names);
    return result;
}

void AppQuitWindows::requestClose(WindowId window) {
    if (window == 0 || window > names_.size())
        return;
    const std::string& name = names_[window - 1];
    SessionBus bus;
    // Sent without waiting for an answer: a program may hold its answer until its user
    // has replied to a question.
    bus.send(name, objectPathOf(name), kApplication, "ActivateAction",
             g_variant_new("(s@av@a{sv})", "quit",
                           g_variant_new_array(G_VARIANT_TYPE_VARIANT, nullptr, 0),
                           g_variant_new_array(G_VARIANT_TYPE("{sv}"), nullptr, 0)));
    const Deadline deadline(closeWaitMs_);
    while (bus.hasOwner(name) && deadline.leftMs() > 0) {
        if (events_)
            events_->processPending();
        bus.iterate(10);
    }
}

std::string AppQuitWindows::unreachableWindows(int pid) {
    if (!usesWayland(pid))
        return {};
    return "this Wayland desktop lets no program close another program's windows, and this "
           "program takes no quit request over the session bus.";
}

} // namespace tw
