// Tick phase of the monitoring timer under load: for a while (TIDEWELL_BENCH_SECONDS, default
// 60) with every core kept busy by CPU-bound processes, the wall-clock timer and, beside it,
// a plain 1000 ms timer (what a window timer does) each record the clock reading of every
// tick. Reports skipped and repeated seconds and where in the second the ticks came.
#include "cpu_hog.h"
#include "platform/qt/wall_clock_timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>
#include <vector>

namespace {

struct Reading {
    std::int64_t second;   // the second the tick stands for (or reads, for the plain timer)
    std::int64_t offsetMs; // how far into the second the clock was when the tick ran
};

void report(const char* name, const std::vector<Reading>& ticks) {
    if (ticks.size() < 2) {
        std::printf("%s: too few ticks\n", name);
        return;
    }
    std::int64_t skipped = 0;
    std::int64_t repeated = 0;
    for (size_t i = 1; i < ticks.size(); ++i) {
        const std::int64_t step = ticks[i].second - ticks[i - 1].second;
        if (step == 0)
            ++repeated;
        else if (step > 1)
            skipped += step - 1;
    }
    std::vector<std::int64_t> offsets;
    for (const auto& t : ticks)
        offsets.push_back(t.offsetMs);
    std::sort(offsets.begin(), offsets.end());
    const auto at = [&](double q) {
        return offsets[static_cast<size_t>(q * static_cast<double>(offsets.size() - 1))];
    };
    std::printf("%-18s ticks %6zu  skipped seconds %4lld  repeated seconds %4lld  "
                "offset ms: min %lld  median %lld  p99 %lld  max %lld\n",
                name, ticks.size(), static_cast<long long>(skipped),
                static_cast<long long>(repeated), static_cast<long long>(offsets.front()),
                static_cast<long long>(at(0.5)), static_cast<long long>(at(0.99)),
                static_cast<long long>(offsets.back()));
}

} // namespace

int main(int argc, char** argv) {
    const char* env = std::getenv("TIDEWELL_BENCH_SECONDS");
    const int seconds = env ? std::atoi(env) : 60;
    const int hogs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    QCoreApplication app(argc, argv);

    std::vector<Reading> aligned;
    std::vector<Reading> plain;

    tw::WallClockTimer timer;
    timer.setHandler([&] {
        const std::int64_t now = tw::wallClockMs();
        const tw::LocalDateTime t = *timer.tickTime();
        // Whole seconds the clock has moved on since the second the tick stands for.
        const int late = (tw::localDateTimeAt(now).secondOfDay() - t.secondOfDay() + 86400) % 86400;
        const std::int64_t boundary = now - now % 1000 - 1000 * late;
        aligned.push_back({boundary / 1000, now - boundary});
    });
    QTimer window;
    window.setInterval(1000);
    QObject::connect(&window, &QTimer::timeout, [&] {
        const std::int64_t now = tw::wallClockMs();
        plain.push_back({now / 1000, now % 1000});
    });

    std::printf("%d s with %d CPU-bound processes on %u cores\n", seconds, hogs,
                std::thread::hardware_concurrency());
    CpuHog hog(hogs);
    timer.setInterval(1000);
    timer.setEnabled(true);
    window.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();

    report("wall-clock timer", aligned);
    report("plain 1000 ms", plain);
    std::printf("wall-clock timer: seconds passed over after a suspension or clock change: %lld\n",
                static_cast<long long>(timer.skipped()));
    return 0;
}
