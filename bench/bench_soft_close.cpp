// Soft close of one responsive window (xmessage) under Xvfb and openbox: our softClose
// (window scan, close request, wait until the window is gone) against `wmctrl -c` (find by
// title, _NET_CLOSE_WINDOW through the window manager), each timed until the program ended.
// Starts its own X server and window manager when it has no display.
#include "bench_support.h"
#include "close/close_engine.h"
#include "history/history_log.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/system_clock.h"
#include "platform/linux/x11_windows.h"
#include "platform/qt/qt_locale_text.h"
#include "support/memory_list_view.h"

#include <cstdio>
#include <cstdlib>

using namespace tw;
using namespace tw::bench;

namespace {

constexpr int kRuns = 20;
const std::string kTitle = "tidewell-bench-window";

// Starts xmessage and waits until its window can be closed.
pid_t startWindow(X11Windows& windows) {
    const pid_t pid = start({"/usr/bin/xmessage", "-title", kTitle, "-name", kTitle, "bench"});
    for (;;) {
        for (const TopLevelWindow& w : windows.closableWindows())
            if (w.pid == pid) {
                usleep(50000); // let the window manager finish managing it
                return pid;
            }
        usleep(5000);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("TIDEWELL_BENCH_X")) {
        setenv("TIDEWELL_BENCH_X", "1", 1);
        execl(TIDEWELL_XVFB_WRAPPER, TIDEWELL_XVFB_WRAPPER, "openbox", "--", argv[0],
              static_cast<char*>(nullptr));
        return 1;
    }
    (void)argc;
    SystemClock clock;
    QtLocaleText locale;
    MemoryListView list("ListView3");
    HistoryLog history(list, clock, locale);
    ProcProcesses processes;
    X11Windows windows;
    CloseEngine engine(processes, windows, locale, history);

    std::vector<double> ours, theirs;
    for (int run = 0; run < kRuns; ++run) {
        pid_t pid = startWindow(windows);
        auto t = Stopwatch::now();
        engine.softClose("xmessage");
        waitpid(pid, nullptr, 0);
        ours.push_back(millisSince(t));

        pid = startWindow(windows);
        t = Stopwatch::now();
        tw::bench::run({"/usr/bin/wmctrl", "-c", kTitle});
        waitpid(pid, nullptr, 0);
        theirs.push_back(millisSince(t));
    }
    // Where ours spends its time before the request: the window list and the process list.
    std::vector<double> windowList, processList;
    for (int run = 0; run < kRuns; ++run) {
        auto t = Stopwatch::now();
        windows.closableWindows();
        windowList.push_back(millisSince(t));
        t = Stopwatch::now();
        processes.list();
        processList.push_back(millisSince(t));
    }
    double load = 0;
    getloadavg(&load, 1);
    std::printf("soft close of one xmessage window until it ended (median of %d): ours %.2f ms, "
                "wmctrl -c %.2f ms, ratio ours/wmctrl %.2f (%d rows); of ours, the window list "
                "%.2f ms, the process list %.2f ms; load %.2f\n",
                kRuns, median(ours), median(theirs), median(ours) / median(theirs), list.count(),
                median(windowList), median(processList), load);
    return 0;
}
