// Hard close over 1,000 running copies of a program living in a unique temp folder, against
// pkill -f on the same set, in one run. Two measures:
//   scan: the process scan and match alone (ours without killing, against pgrep -f, which is
//         pkill's scan without the signal), median of repeated runs;
//   kill: one hard close of all 1,000 against one pkill -KILL -f of a fresh 1,000, and the
//         floor beside them: a bare kill(2) loop over a fresh 1,000 whose pids are already
//         known, which is what the system itself needs to end them; medians of rounds.
#include "bench_support.h"
#include "close/close_engine.h"
#include "history/history_log.h"
#include "platform/linux/proc_processes.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_locale_text.h"
#include "support/memory_list_view.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

using namespace tw;
using namespace tw::bench;

namespace {

constexpr int kCopies = 1000;
constexpr int kScanRuns = 15;
constexpr int kKillRounds = 5;

// The real scan, with kills that do nothing: the matching work without the signals.
class ScanOnly : public ProcProcesses {
  public:
    bool kill(const ProcessInfo&) override {
        ++matched;
        return false;
    }
    int matched = 0;
};

class NoWindows : public Windows {
  public:
    std::vector<TopLevelWindow> closableWindows() override { return {}; }
    void requestClose(WindowId) override {}
};

std::vector<pid_t> startCopies(const std::string& program) {
    std::vector<pid_t> pids;
    for (int i = 0; i < kCopies; ++i)
        pids.push_back(start({program, "600"}));
    return pids;
}

void reap(std::vector<pid_t>& pids) {
    for (pid_t pid : pids) {
        ::kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    pids.clear();
}

// Waits until every copy runs its own program (exec done), so both sides see the same set.
void waitForCopies(const std::string& program) {
    ProcProcesses processes;
    for (;;) {
        int seen = 0;
        for (const ProcessInfo& p : processes.list())
            seen += p.path == program;
        if (seen == kCopies)
            return;
        usleep(20000);
    }
}

} // namespace

int main() {
    char pattern[] = "/tmp/tidewell-bench.XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::string folder = pattern;
    const std::string program = folder + "/napper";
    std::filesystem::copy_file("/bin/sleep", program);

    SystemClock clock;
    QtLocaleText locale;
    MemoryListView list("ListView3");
    HistoryLog history(list, clock, locale);
    NoWindows windows;

    std::vector<pid_t> pids = startCopies(program);
    waitForCopies(program);

    std::vector<double> ours, theirs, listing;
    for (int run = 0; run < kScanRuns; ++run) {
        ProcProcesses processes;
        auto listed = Stopwatch::now();
        processes.list();
        listing.push_back(millisSince(listed));
        ScanOnly scan;
        CloseEngine engine(scan, windows, locale, history);
        auto t = Stopwatch::now();
        engine.hardClose(folder);
        ours.push_back(millisSince(t));
        if (scan.matched != kCopies)
            throw std::runtime_error("scan matched " + std::to_string(scan.matched));
        t = Stopwatch::now();
        tw::bench::run({"/usr/bin/pgrep", "-f", folder});
        theirs.push_back(millisSince(t));
    }
    std::printf("scan of %d matching processes (median of %d): ours %.2f ms (reading /proc alone "
                "%.2f ms), pgrep -f %.2f ms, ratio ours/pgrep %.2f\n",
                kCopies, kScanRuns, median(ours), median(listing), median(theirs),
                median(ours) / median(theirs));

    // Each way of ending a fresh 1,000 runs once per round, in turn, so that all of them see
    // the same load; a single kill of 1,000 varies by a third from run to run.
    std::vector<double> oursKill, pkillKill, floorKill, floorWithRows, checkedKill;
    int rows = 0;
    for (int round = 0; round < kKillRounds; ++round) {
        ProcProcesses processes;
        MemoryListView killList("ListView3");
        HistoryLog killHistory(killList, clock, locale);
        CloseEngine engine(processes, windows, locale, killHistory);
        auto t = Stopwatch::now();
        engine.hardClose(folder);
        oursKill.push_back(millisSince(t));
        rows = killList.count();
        reap(pids);

        pids = startCopies(program);
        waitForCopies(program);
        t = Stopwatch::now();
        tw::bench::run({"/usr/bin/pkill", "-KILL", "-f", folder});
        pkillKill.push_back(millisSince(t));
        reap(pids);

        pids = startCopies(program);
        waitForCopies(program);
        t = Stopwatch::now();
        for (pid_t pid : pids)
            ::kill(pid, SIGKILL);
        floorKill.push_back(millisSince(t));
        reap(pids);

        // What any hard close must do at least: the kills, and the row of each in the history.
        MemoryListView floorList("ListView3");
        HistoryLog floorHistory(floorList, clock, locale);
        pids = startCopies(program);
        waitForCopies(program);
        t = Stopwatch::now();
        for (pid_t pid : pids)
            if (::kill(pid, SIGKILL) == 0)
                floorHistory.add(kCloseFilePrefix + folder);
        floorWithRows.push_back(millisSince(t));
        reap(pids);

        // The kills as ours make them, each re-checked through a pidfd, over processes
        // already listed: the kill half of ours without the scan.
        pids = startCopies(program);
        waitForCopies(program);
        std::vector<ProcessInfo> copies;
        for (ProcessInfo& p : processes.list())
            if (p.path == program)
                copies.push_back(std::move(p));
        t = Stopwatch::now();
        for (const ProcessInfo& copy : copies)
            processes.kill(copy);
        checkedKill.push_back(millisSince(t));
        reap(pids);

        pids = startCopies(program);
        waitForCopies(program);
    }
    reap(pids);

    double load = 0;
    getloadavg(&load, 1);
    const double oursMedian = median(oursKill), pkill = median(pkillKill), bare = median(floorKill),
                 withRows = median(floorWithRows);
    std::printf("hard close of %d processes (median of %d rounds): ours %.2f ms (%d rows), "
                "pkill -KILL -f %.2f ms, ratio ours/pkill %.2f; floor (bare kill loop) %.2f ms, "
                "ratio floor/pkill %.2f, ratio ours/floor %.2f; floor with a history row per "
                "kill %.2f ms, ratio ours/that %.2f; that and reading /proc %.2f ms, ratio "
                "ours/that %.2f; kills re-checked through a pidfd, with pids known, %.2f ms; load "
                "%.2f\n",
                kCopies, kKillRounds, oursMedian, rows, pkill, oursMedian / pkill, bare,
                bare / pkill, oursMedian / bare, withRows, oursMedian / withRows,
                withRows + median(listing), oursMedian / (withRows + median(listing)),
                median(checkedKill), load);
    std::filesystem::remove_all(folder);
    return 0;
}
