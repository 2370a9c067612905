// One polite close of one native Wayland window on each Wayland desktop that can run here
// headless: sway (its IPC), KWin (a script over the session bus), and a desktop without a
// window list (the quit request of a GApplication over the session bus). Each run times
// softClose of one window (window list, close request, wait until the window is gone)
// and the whole until the program ended. Re-runs itself inside each desktop.
#include "bench_support.h"
#include "close/close_engine.h"
#include "core/memory_list_view.h"
#include "history/history_log.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/session_windows.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_locale_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace tw;
using namespace tw::bench;

namespace {

constexpr int kRuns = 10;

int inside(const char* desktop, const std::string& client, const std::string& entry) {
    SystemClock clock;
    QtLocaleText locale;
    MemoryListView list("ListView3");
    HistoryLog history(list, clock, locale);
    ProcProcesses processes;
    const std::unique_ptr<Windows> windows = makeSessionWindows(nullptr);
    CloseEngine engine(processes, *windows, locale, history);

    std::vector<double> polite, ended;
    for (int run = 0; run < kRuns; ++run) {
        setenv("QT_QPA_PLATFORM", "wayland", 1);
        const pid_t pid = start({client});
        unsetenv("QT_QPA_PLATFORM");
        for (bool up = false; !up; usleep(5000))
            for (const TopLevelWindow& w : windows->closableWindows())
                up = up || w.pid == pid;
        usleep(200000); // let it settle
        const auto t = Stopwatch::now();
        engine.softClose(entry);
        polite.push_back(millisSince(t));
        waitpid(pid, nullptr, 0);
        ended.push_back(millisSince(t));
    }
    std::printf("%s: one polite close until the window was gone (median of %d): %.2f ms; until "
                "the program ended: %.2f ms (%d rows)\n",
                desktop, kRuns, median(polite), median(ended), list.count());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string qtClient = QT_TEST_CLIENT, gappClient = GAPP_TEST_CLIENT;
    if (argc > 1 && !std::strcmp(argv[1], "--sway"))
        return inside("sway (IPC)", qtClient, "qt_test_client");
    if (argc > 1 && !std::strcmp(argv[1], "--kwin"))
        return inside("KWin (script over the session bus)", qtClient, "qt_test_client");
    if (argc > 1 && !std::strcmp(argv[1], "--no-window-list"))
        return inside("no window list (GApplication quit over the session bus)", gappClient,
                      "gapp_test_client");
    const std::string self = "'" + std::string(argv[0]) + "'";
    std::fflush(stdout);
    // The desktops' wrappers print the report; their own noise goes nowhere.
    const std::string quiet = " 2>/dev/null | grep ': one polite close'";
    (void)std::system((SWAY_WRAPPER " -- " + self + " --sway" + quiet).c_str());
    (void)std::system((KWIN_WRAPPER " " + self + " --kwin" + quiet).c_str());
    (void)std::system(("dbus-run-session -- " SWAY_WRAPPER " -- env -u SWAYSOCK " + self +
                       " --no-window-list" + quiet)
                          .c_str());
    return 0;
}
