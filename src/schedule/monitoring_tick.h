#pragma once

#include "schedule/schedule_view.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tw {

class Clock;
class Dialogs;
class EventPump;
class GuardedRoutine;
class LocaleText;
class Timer;

// What a firing does with each list entry: the close engine and the program launcher; and
// where a Daily or Weekly occurrence that came too late to fire is noted (the history log).
struct FiringActions {
    std::function<void(const std::string& entry, CloseMethod method)> close;
    std::function<void(const std::string& entry)> run;
    std::function<void(const std::string& note)> missed;
};

// The one-second monitoring tick: advances the countdown, refreshes the bar and the status
// line, yields once to window events, and fires when the schedule's match test holds.
class MonitoringTick {
  public:
    MonitoringTick(ScheduleState& state, ScheduleView& view, ScheduleLists lists,
                   const Clock& clock, const LocaleText& locale, EventPump& events, Timer& timer,
                   Dialogs& dialogs, FiringActions actions);

    void onTick();

  private:
    void tick(Dialogs& dialogs);
    void fire(GuardedRoutine& r, ScheduleMode mode);
    // One pass over a list: the number of entries is taken once, when the pass starts.
    void pass(GuardedRoutine& r, int countLine, int entryLine, ListView& list,
              const std::function<void(const std::string&)>& action);
    void show(GuardedRoutine& r, int firstLine, const ProgressView& progress);
    // The Every X interval of the three texts; throws as everyXInterval does.
    std::int32_t everyXSpan();
    LocalDateTime tickNow() const;
    ClockReading reading(const LocalDateTime& local) const;
    bool runEnabled() const { return state_.runCheck == 1; }
    bool closeEnabled() const { return state_.closeCheck == 1; }

    // Read afresh at every step: a handler that runs in a yield or a pause changes it.
    ScheduleState& state_;
    ScheduleView& view_;
    ScheduleLists lists_;
    const Clock& clock_;
    const LocaleText& locale_;
    EventPump& events_;
    Timer& timer_;
    Dialogs& dialogs_;
    FiringActions actions_;
    // True while a tick runs, its yields, error boxes and pauses included.
    bool inTick_ = false;
    // The last Every X texts that converted, and their interval.
    struct ConvertedInterval {
        std::array<std::string, 3> texts;
        std::int32_t seconds = 0;
    };
    std::optional<ConvertedInterval> converted_;
};

// The English name of the date's day of the week, "Sunday" to "Saturday".
std::string dayNameOf(const LocalDateTime& when);

} // namespace tw
