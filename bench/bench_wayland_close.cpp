// One polite close of one native Wayland window on each Wayland desktop that can run here
// headless: sway (its IPC), KWin (a script over the session bus), and a desktop without a
// window list (the quit request of a GApplication over the session bus). Each run times
// softClose of one window (window list, close request, wait until the window is gone)
// and the whole until the program ended. Re-runs itself inside each desktop.
#include "bench_support.h"
#include "close/close_engine.h"
#include "history/history_log.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/session_windows.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_locale_text.h"
#include "support/memory_list_view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

using namespace tw;
using namespace tw::bench;

namespace {

constexpr int kRuns = 10;

// Whether the process shows a window within limitMs.
bool shown(Windows& windows, pid_t pid, int limitMs) {
    for (const auto t = Stopwatch::now(); millisSince(t) < limitMs; usleep(5000))
        for (const TopLevelWindow& w : windows.closableWindows())
            if (w.pid == pid)
                return true;
    return false;
}

int inside(const char* desktop, const std::string& client, const std::string& entry) {
    SystemClock clock;
    QtLocaleText locale;
    MemoryListView list("ListView3");
    HistoryLog history(list, clock, locale);
    ProcProcesses processes;
    std::vector<double> polite, ended;
    // A desktop that gives no figure says why on the report's line, not on the wrappers'
    // discarded noise.
    try {
        const std::unique_ptr<Windows> windows = makeSessionWindows(nullptr);
        CloseEngine engine(processes, *windows, locale, history);
        for (int run = 0; run < kRuns; ++run) {
            setenv("QT_QPA_PLATFORM", "wayland", 1);
            const pid_t pid = start({client});
            unsetenv("QT_QPA_PLATFORM");
            if (!shown(*windows, pid, 20000)) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
                throw std::runtime_error("the test program's window was not listed within 20 s");
            }
            usleep(200000); // let it settle
            const auto t = Stopwatch::now();
            engine.softClose(entry);
            polite.push_back(millisSince(t));
            waitpid(pid, nullptr, 0);
            ended.push_back(millisSince(t));
        }
    } catch (const std::runtime_error& e) {
        std::printf("%s: one polite close not measured: %s\n", desktop, e.what());
        return 1;
    }
    std::printf("%s: one polite close until the window was gone (median of %d): %.2f ms; until "
                "the program ended: %.2f ms (%d rows)\n",
                desktop, kRuns, median(polite), median(ended), list.count());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string qtClient = QT_TEST_CLIENT, gappClient = GAPP_TEST_CLIENT;
    const char* const sway = "sway (IPC)";
    const char* const kwin = "KWin (script over the session bus)";
    const char* const noList = "no window list (GApplication quit over the session bus)";
    if (argc > 1 && !std::strcmp(argv[1], "--sway"))
        return inside(sway, qtClient, "qt_test_client");
    if (argc > 1 && !std::strcmp(argv[1], "--kwin"))
        return inside(kwin, qtClient, "qt_test_client");
    if (argc > 1 && !std::strcmp(argv[1], "--no-window-list"))
        return inside(noList, gappClient, "gapp_test_client");
    const std::string self = "'" + std::string(argv[0]) + "'";
    std::fflush(stdout);
    // The desktops' wrappers print the report; their own noise goes nowhere, and a desktop
    // that could not start here still gets its line.
    const auto report = [](const char* desktop, const std::string& command) {
        (void)std::system((command + " 2>/dev/null | grep ': one polite close' || echo '" +
                           desktop + ": one polite close not measured: the desktop did not start'")
                              .c_str());
    };
    report(sway, SWAY_WRAPPER " -- " + self + " --sway");
    report(kwin, KWIN_WRAPPER " " + self + " --kwin");
    report(noList,
           "dbus-run-session -- " SWAY_WRAPPER " -- env -u SWAYSOCK " + self + " --no-window-list");
    return 0;
}
