#include "platform/linux/kwin_windows.h"

#include "platform/event_pump.h"
#include "platform/linux/deadline.h"
#include "platform/linux/session_bus.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace tw {

namespace {

const char* const kKWin = "org.kde.KWin";
const char* const kReportPath = "/org/tidewell/KWinReport";
const char* const kReportInterface = "org.tidewell.KWinReport";
const char* const kReportXml = "<node><interface name='org.tidewell.KWinReport'>"
                               "<method name='Report'><arg type='s' direction='in'/></method>"
                               "</interface></node>";

// The lines a script reports, and one script's life: loaded from a file, run, and
// unloaded again (which also drops any handler it left connected).
class Script {
  public:
    Script(SessionBus& bus, const std::string& body) : bus_(bus) {
        static std::atomic<int> serial{0};
        plugin_ = "tidewell-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
        const std::unique_ptr<GDBusNodeInfo, decltype(&g_dbus_node_info_unref)> node(
            gio().g_dbus_node_info_new_for_xml(kReportXml, nullptr), gio().g_dbus_node_info_unref);
        static const GDBusInterfaceVTable vtable{&Script::onCall, nullptr, nullptr, {}};
        registration_ = bus.registerObject(kReportPath, node->interfaces[0], &vtable, this);
        try {
            load(body);
        } catch (...) {
            release();
            throw;
        }
    }
    ~Script() { release(); }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Waits until a report arrives or the time is up; nullopt then.
    std::optional<std::string> next(int timeoutMs, EventPump* events) {
        const Deadline deadline(timeoutMs);
        while (reports_.empty() && deadline.leftMs() > 0) {
            bus_.iterate(10);
            if (events)
                events->processPending();
        }
        if (reports_.empty())
            return std::nullopt;
        std::string line = reports_.front();
        reports_.erase(reports_.begin());
        return line;
    }

  private:
    void load(const std::string& body) {
        char path[] = "/tmp/tidewell-kwin-XXXXXX.js";
        const int fd = mkstemps(path, 3);
        if (fd < 0)
            throw std::runtime_error("The KWin script cannot be written");
        file_ = path;
        const std::string text = "var report = function (line) { callDBus('" + bus_.uniqueName() +
                                 "', '" + kReportPath + "', '" + kReportInterface +
                                 "', 'Report', line); };\n" +
                                 "var windows = workspace.windowList ? workspace.windowList() "
                                 ": workspace.clientList();\n" +
                                 body;
        const bool written =
            write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        close(fd);
        if (!written)
            throw std::runtime_error("The KWin script cannot be written");
        const VariantPtr loaded =
            bus_.call(kKWin, "/Scripting", "org.kde.kwin.Scripting", "loadScript",
                      g_variant_new("(ss)", file_.c_str(), plugin_.c_str()));
        gint32 id = -1;
        g_variant_get(loaded.get(), "(i)", &id);
        if (id < 0)
            throw std::runtime_error("KWin did not load the script");
        // Plasma 6 (and late Plasma 5) name a script's object /Scripting/ScriptN, earlier
        // Plasma 5 /N.
        try {
            bus_.call(kKWin, "/Scripting/Script" + std::to_string(id), "org.kde.kwin.Script", "run",
                      nullptr);
        } catch (const std::runtime_error&) {
            bus_.call(kKWin, "/" + std::to_string(id), "org.kde.kwin.Script", "run", nullptr);
        }
    }
    void release() {
        try {
            bus_.call(kKWin, "/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                      g_variant_new("(s)", plugin_.c_str()));
        } catch (const std::runtime_error&) {
            // KWin went away: it holds no script of ours any more.
        }
        if (!file_.empty())
            std::remove(file_.c_str());
        gio().g_dbus_connection_unregister_object(bus_.connection(), registration_);
    }

    static void onCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                       GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self) {
        const gchar* line = nullptr;
        g_variant_get(parameters, "(&s)", &line);
        static_cast<Script*>(self)->reports_.emplace_back(line ? line : "");
        gio().g_dbus_method_invocation_return_value(invocation, nullptr);
    }

    SessionBus& bus_;
    std::string plugin_;
    std::string file_;
    guint registration_ = 0;
    std::vector<std::string> reports_;
};

// KWin answers a script's first report within milliseconds; this covers a busy machine.
constexpr int kReportWaitMs = 3000;

} // namespace

KWinWindows::KWinWindows(EventPump* events, int closeWaitMs)
    : events_(events), closeWaitMs_(closeWaitMs) {}

bool KWinWindows::runs() {
    try {
        return SessionBus().hasOwner(kKWin);
    } catch (const std::runtime_error&) {
        return false;
    }
}

std::vector<TopLevelWindow> KWinWindows::closableWindows() {
    SessionBus bus;
    // A dialog, or a window transient for another, is the program's question to its user.
    Script script(bus, "var lines = [];\n"
                       "for (var i = 0; i < windows.length; ++i) {\n"
                       "  var w = windows[i];\n"
                       "  if (w.closeable && !w.specialWindow)\n"
                       "    lines.push(w.internalId.toString() + ' ' + w.pid + ' ' +\n"
                       "               (w.dialog || w.transient ? 1 : 0));\n"
                       "}\n"
                       "report(lines.join('\\n'));\n");
    const auto listing = script.next(kReportWaitMs, events_);
    if (!listing)
        throw std::runtime_error("KWin did not answer the request for its window list");
    std::vector<TopLevelWindow> result;
    std::istringstream lines(*listing);
    std::string id;
    int pid = 0;
    int question = 0;
    while (lines >> id >> pid >> question) {
        auto known = std::find(ids_.begin(), ids_.end(), id);
        if (known == ids_.end())
            known = ids_.insert(ids_.end(), id);
        result.push_back({static_cast<WindowId>(known - ids_.begin() + 1), pid, question != 0});
    }
    return result;
}

void KWinWindows::requestClose(WindowId window) {
    if (window == 0 || window > ids_.size())
        return;
    SessionBus bus;
    Script script(bus, "var target = '" + ids_[window - 1] + "';\n" +
                           "var removed = workspace.windowRemoved || workspace.clientRemoved;\n"
                           "removed.connect(function (w) {\n"
                           "  if (w.internalId.toString() == target) report('gone');\n"
                           "});\n"
                           "var found = null;\n"
                           "for (var i = 0; i < windows.length; ++i)\n"
                           "  if (windows[i].internalId.toString() == target) found = windows[i];\n"
                           "if (found) { found.closeWindow(); report('asked'); }\n"
                           "else report('gone');\n");
    const Deadline deadline(closeWaitMs_);
    while (const int left = deadline.leftMs()) {
        const auto report = script.next(left, events_);
        if (!report || *report == "gone")
            return;
    }
}

} // namespace tw
