// Copying the history log: 100,000 rows of a real list widget to text, with the window's
// events handled along the way. Reports the time per copy and the longest stretch without
// handling events (how long the window could seem frozen).
#include "frontend/qt/qt_list_view.h"
#include "history/list_export.h"
#include "platform/clipboard.h"
#include "platform/qt/qt_event_pump.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

// The real event pump, timed: the longest gap between two rounds of events.
class TimedPump : public tw::EventPump {
  public:
    void processPending() override {
        const auto now = Clock::now();
        longest = std::max(longest, now - last);
        last = now;
        ++rounds;
        pump.processPending();
    }
    void waitForEvents(int ms) override { pump.waitForEvents(ms); }
    void reset() {
        last = Clock::now();
        longest = {};
        rounds = 0;
    }
    tw::QtEventPump pump;
    Clock::time_point last = Clock::now();
    Clock::duration longest{};
    long rounds = 0;
};

class NullClipboard : public tw::Clipboard {
  public:
    bool tryClear() override { return true; }
    bool trySetText(const std::string& text, int) override {
        size = text.size();
        return true;
    }
    std::size_t size = 0;
};

tw::QtListView& historyOf(int rows) {
    static tw::QtListView list(QStringLiteral("ListView3"), true);
    if (list.columnCount() == 0) {
        list.addColumn("Time");
        list.addColumn("Action");
    }
    while (list.count() < rows) {
        const int row = list.addRow("12/7/2026 1:56:" + std::to_string(list.count() % 60) + " AM");
        list.setSubItem(row, 1, "Run file /usr/local/bin/program-" + std::to_string(row));
        list.setChecked(row, row % 2 == 0);
    }
    return list;
}

void exportRows(benchmark::State& state, int intervalMs) {
    tw::QtListView& list = historyOf(static_cast<int>(state.range(0)));
    TimedPump pump;
    NullClipboard clipboard;
    Clock::duration longest{};
    long rounds = 0;
    for (auto _ : state) {
        pump.reset();
        tw::YieldPacer pacer(pump, std::chrono::milliseconds(intervalMs));
        tw::copyCheckedRowsToClipboard(list, pacer, clipboard);
        longest = std::max(longest, pump.longest);
        rounds = pump.rounds;
    }
    state.counters["rows"] = static_cast<double>(list.count());
    state.counters["text_MB"] = static_cast<double>(clipboard.size) / 1e6;
    state.counters["event_rounds"] = static_cast<double>(rounds);
    state.counters["longest_gap_ms"] = std::chrono::duration<double, std::milli>(longest).count();
}

void BM_ExportPaced(benchmark::State& state) {
    exportRows(state, 15);
}
void BM_ExportEveryRowAndCell(benchmark::State& state) {
    exportRows(state, 0);
}
BENCHMARK(BM_ExportPaced)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportEveryRowAndCell)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
