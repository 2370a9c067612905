#include "platform/common/aligned_ticks.h"
#include "platform/qt/wall_clock_timer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace tw {
namespace {

TEST(AlignedTicks, FirstTickIsTheFirstBoundaryHalfAnIntervalAway) {
    AlignedTicks plan;
    plan.start(1000, 10'400);
    EXPECT_EQ(plan.sleepMs(10'400), 603);
    plan.start(1000, 10'600);
    EXPECT_EQ(plan.sleepMs(10'600), 1403);
    EXPECT_EQ(plan.take(12'003), 12'000);
    EXPECT_EQ(plan.sleepMs(12'003), 1000);
}

TEST(AlignedTicks, ALateWakeUpDeliversEveryOverdueBoundaryOnceInOrder) {
    AlignedTicks plan;
    plan.start(1000, 10'400); // due 11'000
    EXPECT_EQ(plan.take(13'700), 11'000);
    EXPECT_EQ(plan.sleepMs(13'700), 0);
    EXPECT_EQ(plan.take(13'701), 12'000);
    EXPECT_EQ(plan.take(13'702), 13'000);
    EXPECT_EQ(plan.take(13'703), std::nullopt);
    EXPECT_EQ(plan.sleepMs(13'703), 300);
    EXPECT_EQ(plan.take(14'003), 14'000);
    EXPECT_EQ(plan.skipped(), 0);
}

TEST(AlignedTicks, AnEarlyWakeUpDeliversNothingAndSleepsTheRest) {
    AlignedTicks plan;
    plan.start(1000, 10'400);
    EXPECT_EQ(plan.take(10'999), std::nullopt);
    EXPECT_EQ(plan.sleepMs(10'999), 4);
    EXPECT_EQ(plan.take(11'000), 11'000);
}

TEST(AlignedTicks, ASuspensionOrAClockChangeRestartsFromTheCurrentBoundary) {
    AlignedTicks plan;
    plan.start(1000, 10'400);
    EXPECT_EQ(plan.take(11'000 + 3'600'000 + 250), 3'611'000); // an hour later
    EXPECT_EQ(plan.skipped(), 3600);
    EXPECT_EQ(plan.take(3'612'003), 3'612'000);

    EXPECT_EQ(plan.take(5'500), std::nullopt); // the clock set back by an hour
    EXPECT_EQ(plan.sleepMs(5'500), 503);
    EXPECT_EQ(plan.take(6'003), 6'000);
}

TEST(AlignedTicks, LocalTimeOfABoundary) {
    const LocalDateTime t = localDateTimeAt(wallClockMs());
    EXPECT_GE(t.year, 2024);
    EXPECT_EQ(localDateTimeAt(1'000'999), localDateTimeAt(1'000'000));
    EXPECT_NE(localDateTimeAt(999'999), localDateTimeAt(1'000'000));
}

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "test_wall_clock_timer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Handles events until the condition holds; the limit only keeps a broken timer from hanging.
template <typename Condition> void runEventsUntil(Condition done) {
    for (int waited = 0; !done() && waited < 20000; waited += 50)
        runEventsFor(50);
}

struct Delivery {
    LocalDateTime second;
    std::int64_t at;
};

std::int64_t secondsOf(const LocalDateTime& t) {
    return t.hour * 3600 + t.minute * 60 + t.second;
}

TEST(WallClockTimer, TicksOncePerSecondForTheSecondThatHasJustBegun) {
    app();
    WallClockTimer timer;
    std::vector<Delivery> ticks;
    timer.setHandler([&] { ticks.push_back({*timer.tickTime(), wallClockMs()}); });
    timer.setInterval(1000);
    timer.setEnabled(true);
    runEventsUntil([&] { return ticks.size() >= 3; });
    timer.setEnabled(false);
    ASSERT_GE(ticks.size(), 3u);
    for (size_t i = 0; i < ticks.size(); ++i) {
        // Never before its second begins; a loaded machine (sanitizers, parallel builds) may
        // deliver it a little late, which is allowed: it still stands for its own second.
        const std::int64_t lateBy =
            (secondsOf(localDateTimeAt(ticks[i].at)) - secondsOf(ticks[i].second) + 86400) % 86400;
        EXPECT_LT(lateBy, 3) << "delivered before its second, or far too late";
        if (i > 0) {
            EXPECT_EQ(secondsOf(ticks[i].second), secondsOf(ticks[i - 1].second) + 1);
        }
    }
    EXPECT_FALSE(timer.tickTime());
}

TEST(WallClockTimer, ATickHeldUpByTheHandlerIsFollowedByEveryMissedSecond) {
    app();
    WallClockTimer timer;
    std::vector<Delivery> ticks;
    timer.setHandler([&] {
        ticks.push_back({*timer.tickTime(), wallClockMs()});
        if (ticks.size() == 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(2300));
    });
    timer.setInterval(1000);
    timer.setEnabled(true);
    runEventsUntil([&] { return ticks.size() >= 4; });
    timer.setEnabled(false);
    ASSERT_GE(ticks.size(), 4u);
    for (size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_EQ(secondsOf(ticks[i].second), secondsOf(ticks[i - 1].second) + 1);
    }
    EXPECT_GT(ticks[1].at - ticks[0].at, 2000); // the late ones stand for their own seconds
    EXPECT_EQ(timer.skipped(), 0);
}

TEST(WallClockTimer, NeverEntersTheHandlerAgainWhileItRuns) {
    app();
    WallClockTimer timer;
    int depth = 0;
    int deepest = 0;
    int calls = 0;
    timer.setHandler([&] {
        ++calls;
        deepest = std::max(deepest, ++depth);
        if (calls == 1) {
            // What a firing does: off, events handled for a while, on again.
            timer.setEnabled(false);
            timer.setInterval(0);
            timer.setInterval(1000);
            timer.setEnabled(true);
            runEventsFor(2200);
        }
        --depth;
    });
    timer.setInterval(1000);
    timer.setEnabled(true);
    runEventsUntil([&] { return calls >= 2; });
    timer.setEnabled(false);
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(calls, 2);
}

TEST(WallClockTimer, StaysSilentWhileDisabledOrWithoutAnInterval) {
    app();
    WallClockTimer timer;
    int calls = 0;
    timer.setHandler([&] { ++calls; });
    timer.setEnabled(true); // interval 0
    runEventsFor(1200);
    timer.setInterval(1000);
    timer.setEnabled(false);
    runEventsFor(1200);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(timer.isEnabled());
    EXPECT_EQ(timer.interval(), 1000);
}

} // namespace
} // namespace tw
