// Firing latency: a Daily schedule whose target is a few seconds ahead, the wall-clock
// timer and the tick as the program runs them, and a run list holding a script that writes
// the clock at its own start. Reports, over several firings, the time from the start of the
// target second to the start of the launched program. TIDEWELL_BENCH_FIRINGS sets how many
// (default 10); with TIDEWELL_BENCH_HOG=1 every core is kept busy meanwhile.
#include "cpu_hog.h"
#include "history/history_log.h"
#include "platform/linux/gio_launcher.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/wall_clock_timer.h"
#include "run/run_file.h"
#include "schedule/fake_schedule_view.h"
#include "schedule/monitoring_tick.h"
#include "support/fake_dialogs.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const char* env = std::getenv("TIDEWELL_BENCH_FIRINGS");
    const int firings = env ? std::max(1, std::atoi(env)) : 10;
    const char* hogEnv = std::getenv("TIDEWELL_BENCH_HOG");
    std::unique_ptr<CpuHog> hog;
    if (hogEnv && *hogEnv == '1')
        hog = std::make_unique<CpuHog>(static_cast<int>(std::thread::hardware_concurrency()));

    QTemporaryDir dir;
    const QString marker = dir.filePath("started");
    const QString script = dir.filePath("stamp.sh");
    {
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write(QString("#!/bin/sh\ndate +%s%N >> '%1'\n").arg(marker).toUtf8());
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }

    tw::SystemClock clock;
    tw::QtEventPump events;
    tw::test::FakeLocaleText locale;
    tw::test::FakeDialogs dialogs;
    tw::GioLauncher launcher;
    tw::MemoryListView historyRows("ListView3");
    tw::HistoryLog history(historyRows, clock, locale);
    tw::ProgramLauncher programs(launcher, history, dialogs);
    tw::test::FakeScheduleView view;
    tw::ScheduleState state = tw::test::designedSchedule();
    state.mode = tw::ScheduleMode::Daily;
    state.runCheck = 1;
    state.closeCheck = 0;
    state.monitoring = true;
    view.caption = "Stop";
    tw::MemoryListView runs("ListView1");
    tw::MemoryListView closes("ListView2");
    runs.addRow(script.toStdString());
    tw::WallClockTimer timer;
    std::vector<std::int64_t> targets;
    tw::MonitoringTick tick(state, view, {runs, closes}, clock, locale, events, timer, dialogs,
                            {{}, [&](const std::string& entry) { programs.run(entry); }, {}});
    // Each firing sets the next target three seconds ahead.
    const auto aim = [&] {
        const std::int64_t target = (tw::wallClockMs() / 1000 + 3) * 1000;
        const tw::LocalDateTime t = tw::localDateTimeAt(target);
        state.time = {t.hour, t.minute, t.second};
        targets.push_back(target);
    };
    timer.setHandler([&] {
        const size_t before = historyRows.count();
        tick.onTick();
        if (static_cast<size_t>(historyRows.count()) > before) {
            if (targets.size() == static_cast<size_t>(firings))
                QTimer::singleShot(1000, &app, &QCoreApplication::quit);
            else
                aim();
        }
    });
    aim();
    timer.setInterval(1000);
    timer.setEnabled(true);
    app.exec();

    QFile f(marker);
    f.open(QIODevice::ReadOnly);
    std::vector<double> latencies;
    for (size_t i = 0; !f.atEnd() && i < targets.size(); ++i) {
        const long long startedNs = f.readLine().trimmed().toLongLong();
        latencies.push_back(static_cast<double>(startedNs / 1000 - targets[i] * 1000) / 1000.0);
    }
    std::printf("each, ms:");
    for (const double ms : latencies)
        std::printf(" %.1f", ms);
    std::printf("\n");
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty()) {
        std::printf("no launch recorded\n");
        return 1;
    }
    std::printf("%zu firings%s: latency from the target second to the program's start, ms: "
                "min %.1f  median %.1f  max %.1f\n",
                latencies.size(), hog ? " with every core busy" : "", latencies.front(),
                latencies[latencies.size() / 2], latencies.back());
    return 0;
}
