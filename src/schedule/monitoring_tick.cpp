#include "schedule/monitoring_tick.h"

#include "core/day_names.h"
#include "core/error_report.h"
#include "core/list_view.h"
#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/timer.h"
#include "schedule/monitoring_switch.h"
#include "schedule/wait_seconds.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

namespace tw {

namespace {

// Passes the boxes on and counts them.
class CountingDialogs : public Dialogs {
  public:
    explicit CountingDialogs(Dialogs& inner) : inner_(inner) {}
    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override {
        ++boxes;
        return inner_.messageBox(text, title, buttons, icon);
    }
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& initial) override {
        return inner_.inputBox(prompt, title, initial);
    }
    std::string openFile(const std::string& title, const std::string& filter) override {
        return inner_.openFile(title, filter);
    }

    int boxes = 0;

  private:
    Dialogs& inner_;
};

} // namespace

std::string dayNameOf(const LocalDateTime& when) {
    using namespace std::chrono;
    const year_month_day date{year(when.year), month(static_cast<unsigned>(when.month)),
                              day(static_cast<unsigned>(when.day))};
    return kDayNames[weekday(sys_days(date)).c_encoding()];
}

MonitoringTick::MonitoringTick(ScheduleState& state, ScheduleView& view, ScheduleLists lists,
                               const Clock& clock, const LocaleText& locale, EventPump& events,
                               Timer& timer, Dialogs& dialogs, FiringActions actions)
    : state_(state), view_(view), lists_(lists), clock_(clock), locale_(locale), events_(events),
      timer_(timer), dialogs_(dialogs), actions_(std::move(actions)) {}

LocalDateTime MonitoringTick::tickNow() const {
    // A tick that comes late still stands for the second it was due at.
    return timer_.tickTime().value_or(clock_.now());
}

ClockReading MonitoringTick::reading(const LocalDateTime& local) const {
    return {local, clock_.utcOffsetSeconds()};
}

void MonitoringTick::onTick() {
    // A tick never runs inside another: one that arrives while the previous one waits in its
    // yield, its pauses or an error box is dropped, so boxes cannot pile up.
    if (inTick_)
        return;
    inTick_ = true;
    CountingDialogs dialogs(dialogs_);
    try {
        tick(dialogs);
    } catch (...) {
        inTick_ = false;
        throw;
    }
    inTick_ = false;
    // The seconds an error box stood open are not handed over afterwards as a run of late
    // ticks, each with its own box: the ticks start again from the current second.
    if (dialogs.boxes > 0 && timer_.isEnabled()) {
        timer_.setEnabled(false);
        timer_.setEnabled(true);
    }
}

void MonitoringTick::tick(Dialogs& dialogs) {
    GuardedRoutine r(dialogs, "Timer1_Timer");
    r.step(100,
           [&] { state_.countdown.elapsedSeconds = nextElapsed(state_.countdown.elapsedSeconds); });

    std::optional<ScheduleMode> mode;
    if (r.test(102, [&] { return state_.mode == ScheduleMode::Weekly; }))
        mode = ScheduleMode::Weekly;
    else if (r.test(104, [&] { return state_.mode == ScheduleMode::Daily; }))
        mode = ScheduleMode::Daily;
    else if (r.test(106, [&] { return state_.mode == ScheduleMode::EveryX; }))
        mode = ScheduleMode::EveryX;
    if (!mode) {
        // Daily and Weekly judge their targets from here once a mode is chosen again.
        state_.countdown.occurrences.restart(reading(tickNow()));
        return;
    }

    if (*mode != ScheduleMode::EveryX) {
        const LocalDateTime now = tickNow();
        WeeklyDailyTick progress;
        if (r.step(108, [&] {
                progress = weeklyDailyProgress(*mode, state_.countdown.spanSeconds,
                                               remainingSeconds(now, state_.time), state_.day);
                state_.countdown.elapsedSeconds = progress.elapsed;
            }))
            show(r, 110, progress.view);
        r.step(116, [&] { events_.processPending(); });
        OccurrenceVerdict verdict = OccurrenceVerdict::Nothing;
        if (r.test(118, [&] {
                verdict = state_.countdown.occurrences.judge(reading(now), *mode, state_.time,
                                                             state_.day);
                return verdict == OccurrenceVerdict::Fire;
            }))
            fire(r, *mode);
        else if (verdict == OccurrenceVerdict::Missed && actions_.missed)
            r.step(166,
                   [&] { actions_.missed(missedOccurrenceNote(*mode, state_.time, state_.day)); });
        return;
    }

    // Daily and Weekly judge their targets afresh from this tick on.
    state_.countdown.occurrences.restart(reading(tickNow()));
    // A field that is not a number keeps the previous interval and shows the box each tick.
    r.step(120, [&] { state_.countdown.spanSeconds = everyXSpan(); });
    show(r, 122, everyXProgress(state_.countdown.spanSeconds, state_.countdown.elapsedSeconds));
    r.step(128, [&] { events_.processPending(); });
    if (r.test(130, [&] {
            return everyXMatch(state_.countdown.elapsedSeconds, state_.countdown.spanSeconds);
        })) {
        r.step(132, [&] { state_.countdown.elapsedSeconds = 0; });
        fire(r, *mode);
    }
}

std::int32_t MonitoringTick::everyXSpan() {
    // Texts that converted once convert alike while they stand; a failing text is converted
    // again at every tick, so that each tick still shows its box.
    if (!converted_ || converted_->texts != state_.intervalTexts) {
        const auto& t = state_.intervalTexts;
        converted_ = ConvertedInterval{t, everyXInterval(t[0], t[1], t[2], locale_)};
    }
    return converted_->seconds;
}

void MonitoringTick::show(GuardedRoutine& r, int firstLine, const ProgressView& progress) {
    r.step(firstLine, [&] { view_.setBarMaximum(progress.maximum); });
    if (progress.position)
        r.step(firstLine + 2, [&] { view_.setBarPosition(*progress.position); });
    r.step(firstLine + 4, [&] { view_.setStatus(progress.status); });
}

void MonitoringTick::fire(GuardedRoutine& r, ScheduleMode mode) {
    r.step(134, [&] { timer_.setEnabled(false); });
    r.step(136, [&] { timer_.setInterval(0); });

    if (r.test(138, [&] { return closeEnabled(); }))
        pass(r, 140, 142, lists_.close, [&](const std::string& entry) {
            // The method is read afresh for every entry.
            actions_.close(entry, state_.closeMethod);
        });
    if (mode != ScheduleMode::Weekly && r.test(144, [&] { return closeEnabled(); }))
        if (r.test(146, [&] { return runEnabled(); }))
            r.step(148, [&] { waitSeconds(1, clock_, events_); });

    if (r.test(150, [&] { return runEnabled(); })) {
        pass(r, 152, 154, lists_.run, [&](const std::string& entry) { actions_.run(entry); });
        if (r.test(156, [&] { return closeEnabled(); }))
            r.step(158, [&] { waitSeconds(1, clock_, events_); });
    }

    // A switch-off made during the pauses stays in force.
    if (r.test(160, [&] { return state_.monitoring; })) {
        r.step(162, [&] { timer_.setInterval(kTickIntervalMs); });
        r.step(164, [&] { timer_.setEnabled(true); });
    }
}

void MonitoringTick::pass(GuardedRoutine& r, int countLine, int entryLine, ListView& list,
                          const std::function<void(const std::string&)>& action) {
    int count = 0;
    if (!r.step(countLine, [&] { count = list.count(); }))
        return;
    // The entries are counted with a signed 16-bit counter, as the lists always were.
    for (std::int16_t i = 1; i <= count; ++i) {
        r.step(entryLine, [&] { action(list.text(i)); });
        if (i == std::numeric_limits<std::int16_t>::max()) {
            if (count > i)
                r.step(countLine, [] { throw std::overflow_error("Overflow"); });
            break;
        }
    }
}

} // namespace tw
