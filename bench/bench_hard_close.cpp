// Hard close over 1,000 running copies of a program living in a unique temp folder, against
// pkill -f on the same set, in one run. Two measures:
//   scan: the process scan and match alone (ours without killing, against pgrep -f, which is
//         pkill's scan without the signal), median of repeated runs;
//   kill: one hard close of all 1,000 against one pkill -KILL -f of a fresh 1,000, and the
//         floors beside them: a bare kill(2) loop over a fresh 1,000 whose pids are already
//         known, which is what the system itself needs to end them, and the same through a
//         pidfd re-checked before each signal, which is what a close needs that never reaches
//         a process that inherited a listed number; medians of rounds, in wall time and in
//         each closer's own processor time.
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
constexpr int kKillRounds = 9;

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

    std::vector<double> scanOurs, scanPgrep, listing;
    for (int run = 0; run < kScanRuns; ++run) {
        ProcProcesses processes;
        auto listed = Stopwatch::now();
        processes.list();
        listing.push_back(millisSince(listed));
        ScanOnly scan;
        CloseEngine engine(scan, windows, locale, history);
        auto t = Stopwatch::now();
        engine.hardClose(folder);
        scanOurs.push_back(millisSince(t));
        if (scan.matched != kCopies)
            throw std::runtime_error("scan matched " + std::to_string(scan.matched));
        t = Stopwatch::now();
        tw::bench::run({"/usr/bin/pgrep", "-f", folder});
        scanPgrep.push_back(millisSince(t));
    }
    std::printf("scan of %d matching processes (median of %d): ours %.2f ms (reading /proc alone "
                "%.2f ms), pgrep -f %.2f ms, ratio ours/pgrep %.2f\n",
                kCopies, kScanRuns, median(scanOurs), median(listing), median(scanPgrep),
                median(scanOurs) / median(scanPgrep));

    // Each way of ending a fresh 1,000 runs once per round, in turn, so that all of them see
    // the same load; a single kill of 1,000 varies by a third from run to run. Beside the wall
    // time, each way's own processor time: the killed processes end on the same two cores
    // and take the killer's turns at will, which the wall time counts and this does not.
    struct Way {
        std::vector<double> wall, cpu;
        double wallMs() const { return median(wall); }
        double cpuMs() const { return median(cpu); }
    };
    Way ours, pkill, bare, bareWithRows, checked;
    const auto timed = [](Way& way, const auto& close) {
        const double cpuAtStart = threadCpuMillis();
        const auto t = Stopwatch::now();
        close();
        way.wall.push_back(millisSince(t));
        way.cpu.push_back(threadCpuMillis() - cpuAtStart);
    };
    int rows = 0;
    for (int round = 0; round < kKillRounds; ++round) {
        ProcProcesses processes;
        MemoryListView killList("ListView3");
        HistoryLog killHistory(killList, clock, locale);
        CloseEngine engine(processes, windows, locale, killHistory);
        timed(ours, [&] { engine.hardClose(folder); });
        rows = killList.count();
        reap(pids);

        pids = startCopies(program);
        waitForCopies(program);
        const auto t = Stopwatch::now();
        double pkillCpu = 0;
        tw::bench::run({"/usr/bin/pkill", "-KILL", "-f", folder}, &pkillCpu);
        pkill.wall.push_back(millisSince(t));
        pkill.cpu.push_back(pkillCpu);
        reap(pids);

        pids = startCopies(program);
        waitForCopies(program);
        timed(bare, [&] {
            for (pid_t pid : pids)
                ::kill(pid, SIGKILL);
        });
        reap(pids);

        // What any hard close must do at least: the kills, and the row of each in the history.
        MemoryListView floorList("ListView3");
        HistoryLog floorHistory(floorList, clock, locale);
        pids = startCopies(program);
        waitForCopies(program);
        timed(bareWithRows, [&] {
            for (pid_t pid : pids)
                if (::kill(pid, SIGKILL) == 0)
                    floorHistory.add(kCloseFilePrefix + folder);
        });
        reap(pids);

        // The kills as ours make them, each re-checked through a pidfd, over processes
        // already listed: the kill half of ours without the scan, and what a close that
        // can never reach a process which inherited a listed number needs.
        pids = startCopies(program);
        waitForCopies(program);
        std::vector<ProcessInfo> copies;
        for (ProcessInfo& p : processes.list())
            if (p.path == program)
                copies.push_back(std::move(p));
        timed(checked, [&] {
            for (const ProcessInfo& copy : copies)
                processes.kill(copy);
        });
        reap(pids);

        pids = startCopies(program);
        waitForCopies(program);
    }
    reap(pids);

    double load = 0;
    getloadavg(&load, 1);
    const double reading = median(listing);
    const double rowsAlone = bareWithRows.wallMs() - bare.wallMs();
    std::printf("hard close of %d processes (median of %d rounds): ours %.2f ms (%d rows), "
                "pkill -KILL -f %.2f ms, ratio ours/pkill %.2f; floor (bare kill loop) %.2f ms, "
                "ratio floor/pkill %.2f, ratio ours/floor %.2f; floor with a history row per "
                "kill %.2f ms, ratio ours/that %.2f; that and reading /proc %.2f ms, ratio "
                "ours/that %.2f; kills re-checked through a pidfd, with pids known, %.2f ms; "
                "those, the rows and reading /proc %.2f ms, ratio ours/that %.2f; load %.2f\n",
                kCopies, kKillRounds, ours.wallMs(), rows, pkill.wallMs(),
                ours.wallMs() / pkill.wallMs(), bare.wallMs(), bare.wallMs() / pkill.wallMs(),
                ours.wallMs() / bare.wallMs(), bareWithRows.wallMs(),
                ours.wallMs() / bareWithRows.wallMs(), bareWithRows.wallMs() + reading,
                ours.wallMs() / (bareWithRows.wallMs() + reading), checked.wallMs(),
                checked.wallMs() + rowsAlone + reading,
                ours.wallMs() / (checked.wallMs() + rowsAlone + reading), load);
    const double checkedFloorCpu =
        checked.cpuMs() + (bareWithRows.cpuMs() - bare.cpuMs()) + reading;
    std::printf("processor time of the same closes (median): ours %.2f ms, pkill -KILL -f %.2f "
                "ms, ratio ours/pkill %.2f; bare kill loop %.2f ms; with a row per kill %.2f ms; "
                "kills re-checked through a pidfd %.2f ms, with the rows and reading /proc %.2f "
                "ms, ratio ours/that %.2f\n",
                ours.cpuMs(), pkill.cpuMs(), ours.cpuMs() / pkill.cpuMs(), bare.cpuMs(),
                bareWithRows.cpuMs(), checked.cpuMs(), checkedFloorCpu,
                ours.cpuMs() / checkedFloorCpu);
    std::filesystem::remove_all(folder);
    return 0;
}
