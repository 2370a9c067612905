#include "schedule/monitoring_tick.h"
#include "schedule/wait_seconds.h"
#include "schedule_rig.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>
#include <utility>

namespace tw {
namespace {

using test::ScheduleRig;
using Log = std::vector<std::string>;

const std::string kPrefix = kStatusPrefix;
const std::string kMissedReason = " \xE2\x80\x94 the computer was asleep or the clock moved";

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

// How many launches the log shows.
long runs(const Log& log) {
    return std::count_if(log.begin(), log.end(),
                         [](const std::string& line) { return startsWith(line, "run "); });
}

// Both features on, two entries to close and one to run.
void fillLists(ScheduleRig& rig) {
    rig.state.runCheck = 1;
    rig.state.closeCheck = 1;
    rig.closes.addRow("xmessage");
    rig.closes.addRow("xterm");
    rig.runs.addRow("/usr/bin/backup.sh");
}

// Daily at the given time, switched on now.
void switchOnDaily(ScheduleRig& rig, int hour, int minute, int second) {
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(hour, minute, second);
    rig.switchOn();
}

Log firing(const std::string& t0, const std::string& t1, const std::string& t2) {
    return {"timer off " + t0, "close xmessage " + t0, "close xterm " + t0,
            "run /usr/bin/backup.sh " + t1, "timer on " + t2};
}

TEST(DailyTick, FiresOncePerDayForAWeekClosingBeforeRunningWithBothPauses) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(9, 0, 0);
    rig.switchOn();
    rig.log.clear();

    rig.runSeconds(7 * 86400);

    Log expected;
    for (int day = 0; day < 7; ++day)
        for (const auto& line : firing("09:00:00", "09:00:01", "09:00:02"))
            expected.push_back(line);
    EXPECT_EQ(rig.log, expected);
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    EXPECT_EQ(rig.countdown.spanSeconds, 3600); // set at switching on, never by the tick
}

TEST(DailyTick, CountsDownToTheTargetThenShowsThePrefixAloneUntilMidnight) {
    ScheduleRig rig;
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(9, 0, 0);
    rig.switchOn();
    EXPECT_EQ(rig.view.status, "Off."); // untouched until the first tick
    rig.runSeconds(1800);               // 08:30:00
    EXPECT_EQ(rig.view.barMaximum, 3600);
    EXPECT_EQ(rig.view.barPosition, 1800);
    EXPECT_EQ(rig.view.status, kPrefix + "00:30:00");
    rig.runSeconds(1801); // 09:00:01
    EXPECT_EQ(rig.view.barPosition, 0);
    EXPECT_EQ(rig.view.status, kPrefix);
    rig.runSeconds(15 * 3600); // past midnight: 00:00:01 next day
    EXPECT_EQ(rig.view.status, kPrefix + "08:59:59");
    EXPECT_EQ(rig.countdown.elapsedSeconds, 3600 - (9 * 3600 - 1));
}

TEST(DailyTick, OnlyOneFeatureRunsItsPassWithoutAnyPause) {
    for (const bool runOnly : {true, false}) {
        ScheduleRig rig;
        fillLists(rig);
        (runOnly ? rig.state.closeCheck : rig.state.runCheck) = 0;
        rig.state.mode = ScheduleMode::Daily;
        rig.setPicker(8, 0, 5);
        rig.switchOn();
        rig.log.clear();
        rig.runSeconds(6);
        const Log expected = runOnly ? Log{"timer off 08:00:05", "run /usr/bin/backup.sh 08:00:05",
                                           "timer on 08:00:05"}
                                     : Log{"timer off 08:00:05", "close xmessage 08:00:05",
                                           "close xterm 08:00:05", "timer on 08:00:05"};
        EXPECT_EQ(rig.log, expected) << (runOnly ? "run only" : "close only");
        EXPECT_EQ(rig.events.waits, 0);
    }
}

TEST(DailyTick, BothFeaturesOffOnlyStopsAndRestartsTheTimer) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.runCheck = rig.state.closeCheck = 0;
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(8, 0, 2);
    rig.switchOn();
    rig.log.clear();
    rig.runSeconds(3);
    EXPECT_EQ(rig.log, (Log{"timer off 08:00:02", "timer on 08:00:02"}));
}

TEST(WeeklyTick, FiresOnlyOnItsDayWithTheRunPassStraightAfterTheClosePass) {
    ScheduleRig rig; // starts on Monday 2026-12-07
    fillLists(rig);
    rig.state.mode = ScheduleMode::Weekly;
    rig.state.day = "Wednesday";
    rig.setPicker(17, 0, 0);
    rig.switchOn();
    rig.runSeconds(2 * 3600 * 24 + 9 * 3600 - 10); // Wednesday 16:59:50
    EXPECT_EQ(rig.view.status, kPrefix + "00:00:10 [Wednesday]");
    rig.log.clear();
    rig.runSeconds(7 * 86400 + 20); // this Wednesday's 17:00:00 and the next one's

    const Log once = {"timer off 17:00:00", "close xmessage 17:00:00", "close xterm 17:00:00",
                      "run /usr/bin/backup.sh 17:00:00", "timer on 17:00:01"};
    Log expected = once;
    expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(rig.log, expected);
}

TEST(WeeklyTick, NeverFiresOnAnotherDayOrWithNoDayChosen) {
    for (const std::string day : {"", "wednesday", "Mittwoch"}) {
        ScheduleRig rig;
        fillLists(rig);
        rig.state.mode = ScheduleMode::Weekly;
        rig.state.day = day;
        rig.setPicker(8, 0, 10);
        rig.switchOn();
        rig.runSeconds(5);
        EXPECT_EQ(rig.view.status, kPrefix + "00:00:05 [" + day + "]");
        rig.log.clear();
        rig.runSeconds((day.empty() ? 7 : 3) * 86400); // a whole week, or through Wednesday
        EXPECT_TRUE(rig.log.empty()) << day;
    }
}

TEST(WeeklyTick, ALateTickStillStandsForTheSecondItWasDueAt) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.closeCheck = 0;
    rig.state.mode = ScheduleMode::Weekly;
    rig.setPicker(8, 0, 1);
    rig.switchOn();
    rig.log.clear();
    // The wall clock already reads 08:00:02 when the tick due at 08:00:01 is handled.
    rig.clock.advanceSeconds(2);
    rig.timer.dueTime = LocalDateTime{2026, 12, 7, 8, 0, 1};
    rig.timer.tick();
    EXPECT_EQ(rig.log.size(), 3u);
    EXPECT_EQ(rig.log[1], "run /usr/bin/backup.sh 08:00:02");
}

TEST(DailyTick, CatchesUpAShortStallButNotesAnOccurrenceHoursLateInsteadOfFiringIt) {
    { // A laptop asleep from 08:59 to 16:59: nothing is closed or run, one row says why.
        ScheduleRig rig;
        fillLists(rig);
        switchOnDaily(rig, 9, 0, 0);
        rig.runSeconds(3540);
        rig.log.clear();
        rig.clock.advanceSeconds(8 * 3600);
        rig.runSeconds(3600);
        EXPECT_EQ(rig.log, Log{"Missed Daily 09:00:00" + kMissedReason + " 16:59:01"});
        rig.log.clear();
        rig.runSeconds(16 * 3600); // the next day's 09:00:00 fires as usual
        EXPECT_EQ(rig.log, firing("09:00:00", "09:00:01", "09:00:02"));
    }
    // Switched on half a second before 08:59:59 and stalled until 09:00:00 plus the delay: up to
    // five minutes late still fires, once; later it is missed.
    for (const auto& [delay, firesAt] :
         {std::pair{120, "09:02:00"}, std::pair{300, "09:05:00"}, std::pair{301, ""}}) {
        ScheduleRig rig;
        fillLists(rig);
        rig.state.closeCheck = 0;
        rig.clock.set({2026, 12, 7, 8, 59, 59});
        rig.clock.advanceMs(500);
        switchOnDaily(rig, 9, 0, 0);
        rig.log.clear();
        rig.clock.set({2026, 12, 7, 9, delay / 60, delay % 60});
        rig.timer.tick();
        rig.runSeconds(600);
        const std::string at = firesAt;
        const Log expected =
            at.empty() ? Log{"Missed Daily 09:00:00" + kMissedReason + " 09:05:01"}
                       : Log{"timer off " + at, "run /usr/bin/backup.sh " + at, "timer on " + at};
        EXPECT_EQ(rig.log, expected) << delay;
    }
}

#ifndef _WIN32 // POSIX time zones (TZ and the tz database); Wine has neither.
// Ticks carrying the local readings of a real time zone, one per second of real time, with
// the gaps and jumps a test asks for.
class ZoneTicks {
  public:
    ZoneTicks(ScheduleMode mode, TimeOfDay target, const std::string& day = "Monday") {
        const char* tz = std::getenv("TZ");
        savedTz_ = tz ? std::optional<std::string>(tz) : std::nullopt;
        setenv("TZ", "America/New_York", 1);
        tzset();
        rig.state.runCheck = 1;
        rig.runs.addRow("p");
        rig.state.mode = mode;
        rig.setPicker(target.hour, target.minute, target.second);
        rig.state.day = day;
        rig.switchOn();
        rig.log.clear();
    }
    ~ZoneTicks() {
        if (savedTz_)
            setenv("TZ", savedTz_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    // The instant of a local reading; in the repeated hour, its first pass.
    static std::time_t at(int y, int mo, int d, int h, int mi, int s) {
        std::tm t{};
        t.tm_year = y - 1900;
        t.tm_mon = mo - 1;
        t.tm_mday = d;
        t.tm_hour = h;
        t.tm_min = mi;
        t.tm_sec = s;
        t.tm_isdst = -1;
        return std::mktime(&t);
    }
    // One tick per second from `from` to `to`, both included.
    void run(std::time_t from, std::time_t to) {
        for (std::time_t t = from; t <= to; ++t) {
            std::tm parts{};
            localtime_r(&t, &parts);
            const LocalDateTime local{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                                      parts.tm_hour,        parts.tm_min,     parts.tm_sec};
            rig.clock.set(local);
            rig.clock.utcOffset = static_cast<int>(parts.tm_gmtoff);
            rig.timer.dueTime = local;
            rig.timer.tick();
        }
    }
    // The notes of missed occurrences.
    Log missed() const {
        Log out;
        for (const auto& line : rig.log)
            if (startsWith(line, "Missed "))
                out.push_back(line);
        return out;
    }
    // The stamps of the launches.
    Log launches() const {
        Log out;
        for (const auto& line : rig.log)
            if (startsWith(line, "run "))
                out.push_back(line.substr(6));
        return out;
    }

    ScheduleRig rig;

  private:
    std::optional<std::string> savedTz_;
};

TEST(DailyWeeklyOccurrences, FireExactlyOnceWhateverTheClockDoes) {
    { // Winter time: 01:00 to 02:00 comes twice; the target fires in the first pass only,
        // and again the next day.
        ZoneTicks z(ScheduleMode::Daily, {1, 30, 0});
        z.run(ZoneTicks::at(2026, 11, 1, 0, 59, 0), ZoneTicks::at(2026, 11, 1, 3, 0, 0));
        EXPECT_EQ(z.launches(), Log{"01:30:00"});
        z.run(ZoneTicks::at(2026, 11, 2, 1, 29, 0), ZoneTicks::at(2026, 11, 2, 1, 31, 0));
        EXPECT_EQ(z.launches(), (Log{"01:30:00", "01:30:00"}));
    }
    { // Summer time: 02:30 does not exist that day; the first second after the gap fires.
        ZoneTicks z(ScheduleMode::Daily, {2, 30, 0});
        z.run(ZoneTicks::at(2026, 3, 8, 1, 58, 0), ZoneTicks::at(2026, 3, 8, 3, 5, 0));
        EXPECT_EQ(z.launches(), Log{"03:00:00"});
    }
    { // The clock set back five minutes after the firing repeats nothing.
        ZoneTicks z(ScheduleMode::Daily, {9, 0, 0});
        z.run(ZoneTicks::at(2026, 12, 8, 8, 59, 0), ZoneTicks::at(2026, 12, 8, 9, 0, 10));
        z.run(ZoneTicks::at(2026, 12, 8, 8, 55, 10), ZoneTicks::at(2026, 12, 8, 9, 1, 0));
        EXPECT_EQ(z.launches(), Log{"09:00:00"});
    }
    { // A 90-second stall across the target fires once, late, at the first tick after it.
        ZoneTicks z(ScheduleMode::Daily, {9, 0, 0});
        z.run(ZoneTicks::at(2026, 12, 8, 8, 58, 0), ZoneTicks::at(2026, 12, 8, 8, 59, 30));
        z.run(ZoneTicks::at(2026, 12, 8, 9, 1, 0), ZoneTicks::at(2026, 12, 8, 9, 2, 0));
        EXPECT_EQ(z.launches(), Log{"09:01:00"});
    }
    // A ten-hour suspension from Monday night to Tuesday morning: a target within it is far
    // too late to fire and is noted as missed at the first tick after it; Weekly only when
    // the day within it is its day.
    for (const auto& [mode, day, note] :
         {std::tuple{ScheduleMode::Daily, "Monday", "Missed Daily 08:00:00"},
          std::tuple{ScheduleMode::Weekly, "Tuesday", "Missed Weekly Tuesday 08:00:00"},
          std::tuple{ScheduleMode::Weekly, "Wednesday", ""}}) {
        ZoneTicks z(mode, {8, 0, 0}, day);
        z.run(ZoneTicks::at(2026, 12, 7, 22, 29, 0), ZoneTicks::at(2026, 12, 7, 22, 30, 0));
        z.run(ZoneTicks::at(2026, 12, 8, 8, 30, 0), ZoneTicks::at(2026, 12, 8, 9, 0, 0));
        EXPECT_EQ(z.launches(), Log{}) << day;
        EXPECT_EQ(z.missed(), *note ? Log{std::string(note) + kMissedReason + " 08:30:00"} : Log{})
            << day;
    }
}
#endif // _WIN32

// What --status reports as the next firing: the first occurrence at or after now, across the
// end of a day, a week, a month and a year.
TEST(NextOccurrence, IsTheFirstAtOrAfterNow) {
    const LocalDateTime now{2026, 12, 31, 23, 0, 0}; // a Thursday
    const auto next = [&](ScheduleMode mode, TimeOfDay target, const char* day = "") {
        const auto found = nextOccurrence(now, mode, target, day);
        return found ? std::optional(std::pair(found->when, found->seconds)) : std::nullopt;
    };
    using Found = std::optional<std::pair<LocalDateTime, std::int64_t>>;
    EXPECT_EQ(next(ScheduleMode::Daily, {9, 0, 0}), Found({{2027, 1, 1, 9, 0, 0}, 36000}));
    EXPECT_EQ(next(ScheduleMode::Daily, {23, 0, 0}), Found({now, 0}));
    EXPECT_EQ(next(ScheduleMode::Weekly, {0, 0, 0}, "Friday"),
              Found({{2027, 1, 1, 0, 0, 0}, 3600}));
    EXPECT_EQ(next(ScheduleMode::Weekly, {22, 59, 59}, "Thursday"),
              Found({{2027, 1, 7, 22, 59, 59}, 7 * 86400 - 1}));
    EXPECT_EQ(next(ScheduleMode::Weekly, {9, 0, 0}, "friday"), std::nullopt);
    EXPECT_EQ(laterBy({2028, 2, 28, 23, 59, 59}, 1), (LocalDateTime{2028, 2, 29, 0, 0, 0}));
}

TEST(EveryXTick, FiresOnEveryTenthTickAndRestartsTheCountAfterTheFiring) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.mode = ScheduleMode::EveryX;
    rig.state.intervalTexts[0] = "0";
    rig.state.intervalTexts[1] = "0";
    rig.state.intervalTexts[2] = "10";
    rig.controls.everyXChosen();
    rig.switchOn();
    rig.log.clear();
    rig.runSeconds(9);
    EXPECT_TRUE(rig.log.empty());
    EXPECT_EQ(rig.view.status, kPrefix + "00:00:01");
    EXPECT_EQ(rig.view.barMaximum, 10);
    EXPECT_EQ(rig.view.barPosition, 9);
    rig.runSeconds(1); // 08:00:10: the tenth tick
    EXPECT_EQ(rig.log, firing("08:00:10", "08:00:11", "08:00:12"));
    EXPECT_EQ(rig.countdown.elapsedSeconds, 0);
    rig.log.clear();
    // The firing's own two seconds are not counted: ten more ticks after it ended.
    rig.runSeconds(9);
    EXPECT_TRUE(rig.log.empty());
    rig.runSeconds(1);
    EXPECT_EQ(rig.log, firing("08:00:22", "08:00:23", "08:00:24"));
}

TEST(EveryXTick, ACountAlreadyPastAPositiveIntervalFiresAtTheNextTick) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.mode = ScheduleMode::EveryX;
    rig.state.intervalTexts[1] = "30";
    rig.controls.everyXChosen();
    rig.switchOn();
    rig.runSeconds(20);
    rig.monitor.toggle();
    // Every 3 seconds now; switching on again keeps the count of 20.
    rig.state.intervalTexts[1] = "0";
    rig.state.intervalTexts[2] = "3";
    rig.runSeconds(5);
    rig.switchOn();
    rig.log.clear();
    rig.runSeconds(1);
    EXPECT_EQ(rig.log, firing("08:00:26", "08:00:27", "08:00:28"));
    EXPECT_EQ(rig.countdown.elapsedSeconds, 0);
    rig.log.clear();
    rig.runSeconds(3);
    EXPECT_EQ(rig.log, firing("08:00:31", "08:00:32", "08:00:33"));

    // The interval shortened below the count while on: the next tick fires.
    rig.state.intervalTexts[2] = "10";
    rig.runSeconds(7);
    rig.state.intervalTexts[2] = "5";
    rig.log.clear();
    rig.runSeconds(1);
    EXPECT_EQ(rig.log.front(), "timer off 08:00:41");

    // An interval of zero or less still never fires, however far the count goes.
    for (const std::string seconds : {"0", "-5"}) {
        rig.state.intervalTexts[2] = seconds;
        rig.log.clear();
        rig.runSeconds(3600);
        EXPECT_EQ(runs(rig.log), 0) << seconds;
    }
    EXPECT_EQ(rig.view.status, kPrefix + formatSeconds(-5 - 7200));
}

TEST(EveryXTick, AFieldThatIsNotANumberShowsTheBoxOnEveryTickAndKeepsTheInterval) {
    ScheduleRig rig;
    rig.state.mode = ScheduleMode::EveryX;
    rig.state.intervalTexts[1] = "0";
    rig.state.intervalTexts[2] = "20";
    rig.switchOn();
    rig.runSeconds(3);
    rig.state.intervalTexts[1] = "12x";
    rig.runSeconds(4);
    ASSERT_EQ(rig.dialogs.boxes.size(), 4u);
    const auto& box = rig.dialogs.boxes[0];
    EXPECT_EQ(box.text, "Type mismatch\r\nin Larkmoor2021/08/31.Form1.Timer1_Timer at line 120\r\r"
                        "Please email screenshot of this message to support@quillmark.com");
    EXPECT_EQ(box.title, "Application Error");
    EXPECT_EQ(box.buttons, Buttons::Ok);
    EXPECT_EQ(box.icon, Icon::Warning);
    EXPECT_EQ(rig.countdown.spanSeconds, 20);
    EXPECT_EQ(rig.view.status, kPrefix + "00:00:13"); // the tick went on with the old interval
    rig.state.intervalTexts[1] = "0";
    rig.runSeconds(13);
    EXPECT_EQ(rig.dialogs.boxes.size(), 4u);
    EXPECT_EQ(rig.log.back(), "timer on 08:00:20");
}

TEST(ModeChanges, TakeEffectAtTheNextTickWhileMonitoringIsOn) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(9, 0, 0);
    rig.switchOn();
    rig.runSeconds(100);
    EXPECT_EQ(rig.countdown.elapsedSeconds, 100);

    // Daily to Every X: the count starts again from 0 and the next tick brings it to 1.
    rig.state.mode = ScheduleMode::EveryX;
    rig.state.intervalTexts[1] = "0";
    rig.state.intervalTexts[2] = "3";
    rig.controls.everyXChosen();
    EXPECT_EQ(rig.countdown.elapsedSeconds, 0);
    rig.step();
    EXPECT_EQ(rig.countdown.elapsedSeconds, 1);
    rig.log.clear();
    rig.runSeconds(2);
    EXPECT_EQ(rig.log.front(), "timer off 08:01:43");

    // Back to Daily at 08:30:00: the span is recomputed at once and the Daily test applies.
    rig.state.mode = ScheduleMode::Daily;
    rig.controls.dailyChosen();
    EXPECT_EQ(rig.countdown.spanSeconds, 9 * 3600 - rig.clock.now().secondOfDay());
    rig.controls.timeChanged({8, 10, 0});
    rig.log.clear();
    rig.runSeconds(600);
    EXPECT_EQ(rig.log.front(), "timer off 08:10:00");

    // No option selected: the tick counts and ends.
    rig.state.mode.reset();
    const std::string status = rig.view.status;
    rig.log.clear();
    rig.runSeconds(86400);
    EXPECT_TRUE(rig.log.empty());
    EXPECT_EQ(rig.view.status, status);
}

TEST(Firing, ReadsTheFeatureSwitchesAndTheListsAfreshDuringThePauses) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(8, 0, 1);
    rig.switchOn();
    // During the first pause the user adds a program, changes the close method (already
    // used) and then clears the close feature, which drops the second pause.
    rig.events.onPending = [&rig] {
        if (rig.events.waits == 1 && rig.runs.count() == 1) {
            rig.runs.addRow("/usr/bin/report.sh");
            rig.state.closeCheck = 0;
        }
    };
    rig.state.closeMethod = CloseMethod::Hard;
    rig.log.clear();
    rig.runSeconds(1);
    EXPECT_EQ(rig.log, (Log{"timer off 08:00:01", "close xmessage 08:00:01", "close xterm 08:00:01",
                            "run /usr/bin/backup.sh 08:00:02", "run /usr/bin/report.sh 08:00:02",
                            "timer on 08:00:02"}));
    EXPECT_EQ(rig.closeMethods, (std::vector<CloseMethod>{CloseMethod::Hard, CloseMethod::Hard}));
}

TEST(Firing, ASwitchOffDuringAPauseStaysInForce) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(8, 0, 1);
    rig.switchOn();
    rig.events.onPending = [&rig] {
        if (rig.events.waits == 1 && rig.view.caption == "Stop")
            rig.monitor.toggle();
    };
    rig.runSeconds(1);
    EXPECT_EQ(rig.view.caption, "Turn On");
    EXPECT_FALSE(rig.timer.isEnabled());
    EXPECT_EQ(rig.view.status, "Off.");
    EXPECT_EQ(rig.log.back(), "run /usr/bin/backup.sh 08:00:02"); // the firing still ends
    EXPECT_FALSE(rig.step());
}

TEST(Firing, AFailingCloseEntryIsReportedAndThePassGoesOn) {
    ScheduleRig rig;
    fillLists(rig);
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(8, 0, 1);
    FiringActions actions{[&rig](const std::string& entry, CloseMethod) {
                              if (entry == "xmessage")
                                  throw std::runtime_error("No window system is reachable");
                              rig.log.push_back("close " + entry);
                          },
                          [&rig](const std::string& entry) { rig.log.push_back("run " + entry); },
                          {}};
    MonitoringTick tick(rig.state, rig.view, {rig.runs, rig.closes}, rig.clock, rig.locale,
                        rig.events, rig.timer, rig.dialogs, actions);
    rig.timer.setHandler([&tick] { tick.onTick(); });
    rig.switchOn();
    rig.log.clear();
    rig.runSeconds(1);
    // After a tick that showed a box the ticks start again from the current second.
    EXPECT_EQ(rig.log, (Log{"timer off 08:00:01", "close xterm", "run /usr/bin/backup.sh",
                            "timer on 08:00:03", "timer off 08:00:03", "timer on 08:00:03"}));
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(startsWith(rig.dialogs.boxes[0].text,
                           "No window system is reachable\r\nin "
                           "Larkmoor2021/08/31.Form1.Timer1_Timer at line 142\r"));
}

TEST(Firing, WhileATickErrorBoxIsOpenLaterTicksShowNoMoreBoxes) {
    ScheduleRig rig;
    rig.state.mode = ScheduleMode::EveryX;
    rig.state.intervalTexts[0] = "x";
    rig.switchOn();
    // A timer that kept ticking while the modal box is open would re-enter the tick.
    rig.dialogs.onBox = [&rig](const auto&) {
        if (rig.dialogs.boxes.size() == 1)
            for (int i = 0; i < 5; ++i)
                rig.timer.tick();
    };
    rig.step();
    EXPECT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_EQ(rig.countdown.elapsedSeconds, 1);
    // The seconds the box stood open are not delivered afterwards: the timer starts again.
    const std::vector<std::string> restart = {"timer off", "timer on"};
    EXPECT_EQ(std::vector<std::string>(rig.timer.changes.end() - 2, rig.timer.changes.end()),
              restart);
    rig.step();
    EXPECT_EQ(rig.dialogs.boxes.size(), 2u); // the next tick reports again
}

TEST(Firing, AListPastTheSixteenBitCounterStopsAtItsLimitWithOneBox) {
    ScheduleRig rig;
    rig.state.runCheck = 1;
    rig.state.mode = ScheduleMode::Daily;
    rig.setPicker(8, 0, 1);
    for (int i = 0; i < 32769; ++i)
        rig.runs.addRow("p");
    rig.switchOn();
    rig.log.clear();
    rig.runSeconds(1);
    EXPECT_EQ(runs(rig.log), 32767);
    ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(startsWith(rig.dialogs.boxes[0].text,
                           "Overflow\r\nin Larkmoor2021/08/31.Form1.Timer1_Timer at line 152\r"));
}

TEST(waitSeconds, SleepsThroughTheSecondInsteadOfPolling) {
    test::FakeClock clock;
    test::FakeEventPump events{clock};
    clock.advanceMs(250);
    waitSeconds(1, clock, events);
    EXPECT_EQ(clock.millis() % 86400000, (8 * 3600 + 1) * 1000 + 250);
    EXPECT_LE(events.waits, 2);
    EXPECT_EQ(events.pendingRuns, 0);
}

TEST(waitSeconds, CountsTheTimeAcrossMidnight) {
    test::FakeClock clock;
    clock.set({2026, 12, 7, 23, 59, 59});
    clock.advanceMs(600);
    test::FakeEventPump events{clock};
    int handled = 0;
    events.onPending = [&] { ++handled; };
    waitSeconds(1, clock, events);
    EXPECT_EQ(clock.now(), (LocalDateTime{2026, 12, 8, 0, 0, 0}));
    EXPECT_EQ(std::llround(clock.secondsSinceMidnight() * 1000), 600); // in milliseconds
    EXPECT_GE(handled, 1); // window events were handled during the wait
}

TEST(waitSeconds, ReturnsAfterTheLastWaitEvenWhenEventsEndItEarly) {
    test::FakeClock clock;
    struct ShortWaits : test::FakeEventPump {
        using FakeEventPump::FakeEventPump;
        void waitForEvents(int maxMs) override { FakeEventPump::waitForEvents(maxMs / 4 + 1); }
    } events{clock};
    waitSeconds(2, clock, events);
    EXPECT_EQ(clock.millis() % 1000, 0);
    EXPECT_EQ(clock.now().second, 2);
}

} // namespace
} // namespace tw
