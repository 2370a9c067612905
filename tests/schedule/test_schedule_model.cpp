#include "schedule/schedule_model.h"
#include "support/fake_clock.h"
#include "support/fake_locale_text.h"

#include <cfenv>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace tw {
namespace {

const std::string kPrefix = kStatusPrefix;

TEST(formatSeconds, WithinOneDayAndBeyond) {
    EXPECT_EQ(formatSeconds(0), "00:00:00");
    EXPECT_EQ(formatSeconds(59), "00:00:59");
    EXPECT_EQ(formatSeconds(3661), "01:01:01");
    EXPECT_EQ(formatSeconds(86399), "23:59:59");
    EXPECT_EQ(formatSeconds(86400), "00:00:00");
    EXPECT_EQ(formatSeconds(25 * 3600), "01:00:00");
    EXPECT_EQ(formatSeconds(-5), "00:00:05");
    EXPECT_EQ(formatSeconds(-86405), "00:00:05");
    EXPECT_EQ(formatSeconds(2147483647), "03:14:07");
    EXPECT_EQ(formatSeconds(-2147483648LL), "03:14:08");
}

TEST(EveryXInterval, SumsFieldsAndRoundsHalvesToEven) {
    test::FakeLocaleText locale;
    EXPECT_EQ(everyXInterval("0", "30", "0", locale), 1800);
    EXPECT_EQ(everyXInterval("1.5", "0", "0", locale), 5400);
    EXPECT_EQ(everyXInterval("0", "0", "2.5", locale), 2);
    EXPECT_EQ(everyXInterval("0", "0", "3.5", locale), 4);
    EXPECT_EQ(everyXInterval("0", "1", "-10", locale), 50);
    EXPECT_EQ(everyXInterval("-1", "0", "0", locale), -3600);
    EXPECT_EQ(everyXInterval("+0", "0", ".5", locale), 0);
    EXPECT_EQ(everyXInterval("0", "0", "-2.5", locale), -2);
    EXPECT_EQ(everyXInterval("0", "0", "2.4999999999999996", locale), 2);
    // The processor's rounding mode, which a library may leave changed, plays no part.
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        const std::int32_t halves[] = {
            everyXInterval("0", "0", "2.5", locale), everyXInterval("0", "0", "3.5", locale),
            everyXInterval("0", "0", "-3.5", locale), everyXInterval("0", "0", "2.7", locale)};
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(std::vector<std::int32_t>(std::begin(halves), std::end(halves)),
                  (std::vector<std::int32_t>{2, 4, -4, 3}))
            << mode;
    }
}

TEST(EveryXInterval, RejectsNonNumbersAndOutOfRangeTotals) {
    test::FakeLocaleText locale;
    EXPECT_THROW(everyXInterval("", "30", "0", locale), std::runtime_error);
    EXPECT_THROW(everyXInterval("0", "12x", "0", locale), std::runtime_error);
    EXPECT_THROW(everyXInterval("596524", "0", "0", locale), std::runtime_error); // > 2^31-1 s
    EXPECT_EQ(everyXInterval("0", "0", "2147483647", locale), 2147483647);
    EXPECT_THROW(everyXInterval("0", "0", "2147483648", locale), std::runtime_error);
    EXPECT_EQ(everyXInterval("0", "0", "-2147483648", locale), -2147483647 - 1);
    try {
        everyXInterval("a", "0", "0", locale);
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Type mismatch");
    }
}

// Daily 09:00:00 switched on at 08:00:00, then followed over the next day.
TEST(WeeklyDaily, DailyCountdownAcrossTheDayAndMidnight) {
    const TimeOfDay target{9, 0, 0};
    const int span = remainingSeconds({2026, 12, 7, 8, 0, 0}, target);
    EXPECT_EQ(span, 3600);

    auto at = [&](int h, int m, int s) {
        return weeklyDailyProgress(ScheduleMode::Daily, span,
                                   remainingSeconds({2026, 12, 7, h, m, s}, target), "Monday");
    };
    auto half = at(8, 30, 0);
    EXPECT_EQ(half.elapsed, 1800);
    EXPECT_EQ(half.view.maximum, 3600);
    EXPECT_EQ(half.view.position, 1800);
    EXPECT_EQ(half.view.status, kPrefix + "00:30:00");

    auto fired = at(9, 0, 0);
    EXPECT_EQ(fired.view.position, 3600);
    EXPECT_EQ(fired.view.status, kPrefix + "00:00:00");

    auto after = at(9, 0, 1);
    EXPECT_EQ(after.view.position, 0);
    EXPECT_EQ(after.view.status, kPrefix);

    auto midnight = at(0, 0, 0);
    EXPECT_EQ(midnight.elapsed, 3600 - 32400);
    EXPECT_EQ(midnight.view.position, -28800); // below zero: the bar shows it as empty
    EXPECT_EQ(midnight.view.status, kPrefix + "09:00:00");
}

TEST(WeeklyDaily, SwitchedOnAfterTheTargetGivesNegativeSpan) {
    const TimeOfDay target{9, 0, 0};
    const int span = remainingSeconds({2026, 12, 7, 10, 0, 0}, target);
    EXPECT_EQ(span, -3600);
    auto evening = weeklyDailyProgress(ScheduleMode::Daily, span,
                                       remainingSeconds({2026, 12, 7, 22, 0, 0}, target), "");
    EXPECT_EQ(evening.view.position, 0);
    EXPECT_EQ(evening.view.status, kPrefix);
    auto midnight = weeklyDailyProgress(ScheduleMode::Daily, span,
                                        remainingSeconds({2026, 12, 8, 0, 0, 0}, target), "");
    EXPECT_EQ(midnight.elapsed, -36000);
    EXPECT_EQ(midnight.view.maximum, -3600);
    EXPECT_EQ(midnight.view.status, kPrefix + "09:00:00");
    auto nine = weeklyDailyProgress(ScheduleMode::Daily, span,
                                    remainingSeconds({2026, 12, 8, 9, 0, 0}, target), "");
    EXPECT_EQ(nine.elapsed, -3600);
}

TEST(WeeklyDaily, WeeklyShowsTheDayInBracketsEvenWhenEmpty) {
    const TimeOfDay target{17, 0, 0};
    // 2026-12-08 is a Tuesday.
    const LocalDateTime tuesday{2026, 12, 8, 16, 59, 50};
    auto tick =
        weeklyDailyProgress(ScheduleMode::Weekly, 100, remainingSeconds(tuesday, target), "Friday");
    EXPECT_EQ(tick.view.status, kPrefix + "00:00:10 [Friday]");
    auto empty = weeklyDailyProgress(ScheduleMode::Weekly, 100, 10, "");
    EXPECT_EQ(empty.view.status, kPrefix + "00:00:10 []");
}

TEST(EveryX, ProgressAndMatch) {
    auto view = everyXProgress(1800, 600);
    EXPECT_EQ(view.maximum, 1800);
    EXPECT_EQ(view.position, 600);
    EXPECT_EQ(view.status, kPrefix + "00:20:00");
    // Count past a lowered interval: position left alone, countdown by absolute value.
    auto past = everyXProgress(10, 15);
    EXPECT_FALSE(past.position.has_value());
    EXPECT_EQ(past.status, kPrefix + "00:00:05");
    EXPECT_EQ(everyXProgress(25 * 3600, 0).status, kPrefix + "01:00:00");
    EXPECT_TRUE(everyXMatch(10, 10));
    EXPECT_TRUE(everyXMatch(11, 10)); // a count past the interval fires too
    EXPECT_FALSE(everyXMatch(9, 10));
    // An interval of zero or less never fires, whatever the count.
    EXPECT_FALSE(everyXMatch(nextElapsed(0), 0));
    EXPECT_FALSE(everyXMatch(2147483647, 0));
    EXPECT_FALSE(everyXMatch(2147483647, -1));
    EXPECT_EQ(nextElapsed(2147483647), 2147483647);
}

TEST(FakeClockDays, StepsThroughMidnightAndWeekdays) {
    test::FakeClock clock;
    clock.set({2026, 12, 7, 23, 59, 59});
    clock.advanceSeconds(1);
    EXPECT_EQ(clock.now(), (LocalDateTime{2026, 12, 8, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(clock.secondsSinceMidnight(), 0.0);
}

} // namespace
} // namespace tw
