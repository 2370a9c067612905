// Processor time spent by the pauses of a firing: waitSeconds(1), which sleeps in the event
// loop, against the polling loop that handles events and reads the clock until the second
// has passed. Also the processor time of one minute of monitoring ticks (timer and tick
// handler, without widgets). Set TIDEWELL_BENCH_SECONDS to change that minute.
#include "platform/linux/system_clock.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/wall_clock_timer.h"
#include "schedule/fake_schedule_view.h"
#include "schedule/monitoring_tick.h"
#include "schedule/wait_seconds.h"
#include "support/fake_dialogs.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double wallSeconds() {
    return static_cast<double>(tw::wallClockMs()) / 1000.0;
}

// The pause as a polling loop: handle pending events, read the clock, again.
void pollingWait(int seconds, const tw::Clock& clock, tw::EventPump& events) {
    const double start = clock.secondsSinceMidnight();
    for (;;) {
        events.processPending();
        double now = clock.secondsSinceMidnight();
        if (now < start)
            now += 86400.0;
        if (now - start >= seconds)
            return;
    }
}

template <typename Pause> void measure(const char* name, Pause pause) {
    const double cpu0 = cpuSeconds();
    const double wall0 = wallSeconds();
    for (int i = 0; i < 3; ++i)
        pause();
    const double cpu = cpuSeconds() - cpu0;
    const double wall = wallSeconds() - wall0;
    std::printf("%-28s 3 pauses: %.3f s wall, %.4f s CPU (%.1f%% of one core)\n", name, wall, cpu,
                100.0 * cpu / wall);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tw::SystemClock clock;
    tw::QtEventPump events;
    measure("WaitSeconds(1)", [&] { tw::waitSeconds(1, clock, events); });
    measure("polling wait of 1 s", [&] { pollingWait(1, clock, events); });

    const char* env = std::getenv("TIDEWELL_BENCH_SECONDS");
    const int seconds = env ? std::atoi(env) : 60;
    tw::test::FakeScheduleView view;
    tw::ScheduleState state = tw::test::designedSchedule();
    state.mode = tw::ScheduleMode::Daily;
    state.time = {3, 0, 0};
    tw::MemoryListView runs("ListView1");
    tw::MemoryListView closes("ListView2");
    tw::test::FakeLocaleText locale;
    tw::test::FakeDialogs dialogs;
    tw::WallClockTimer timer;
    tw::MonitoringTick tick(state, view, {runs, closes}, clock, locale, events, timer, dialogs, {});
    timer.setHandler([&] { tick.onTick(); });
    timer.setInterval(1000);
    timer.setEnabled(true);
    const double cpu0 = cpuSeconds();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("monitoring ticks for %d s: %.4f s CPU (%.3f%% of one core)\n", seconds,
                cpuSeconds() - cpu0, 100.0 * (cpuSeconds() - cpu0) / seconds);
    return 0;
}
