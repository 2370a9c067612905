#pragma once

#include "platform/clock.h"
#include "schedule/schedule_model.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

// A reading of the local clock at a tick or at switching on, with its distance to UTC when
// the clock tells it.
struct ClockReading {
    LocalDateTime local;
    std::optional<int> utcOffsetSeconds;
};

// What a Daily or Weekly occurrence calls for at one tick.
enum class OccurrenceVerdict { Nothing, Fire, Missed };

// How late an occurrence may still fire: a stall or a short sleep is caught up; beyond this
// (plus the hour a change to summer time leaves out) the occurrence is missed, so that a
// morning's hard close cannot strike in the afternoon when a laptop wakes.
inline constexpr int kCatchUpGraceSeconds = 5 * 60;

// Decides at each tick whether a Daily or Weekly target is due, so that every occurrence is
// judged exactly once whatever the clock does. An occurrence is due at the first tick whose
// local reading is at or past it while the previous reading (the previous tick's, or the
// moment monitoring was switched on) was before it. A due occurrence fires when it is at most
// kCatchUpGraceSeconds late, widened by a move of the clock to summer time between the two
// readings: a time of day that the change leaves out fires at the first second after the
// gap, and one passed during a stall fires late at the next tick. Later than that it is
// missed. An occurrence is never judged on or before a date on which the same target was
// already judged, so a clock set back and the hour repeated at the change to winter time
// repeat nothing.
class TargetOccurrences {
  public:
    // Monitoring starts, or the mode is not Daily or Weekly: targets are judged from this
    // reading on.
    void restart(const ClockReading& from) { previous_ = from; }
    // Takes the tick's reading and judges the target's latest occurrence.
    OccurrenceVerdict judge(const ClockReading& now, ScheduleMode mode, const TimeOfDay& target,
                            const std::string& dayText);

  private:
    struct Judged {
        ScheduleMode mode;
        TimeOfDay target;
        std::string dayText;
        LocalDateTime date; // the occurrence that was judged
    };
    std::optional<ClockReading> previous_;
    std::optional<Judged> judged_;
};

// The first occurrence of a Daily or Weekly target at or after now, and the seconds to it on
// the wall clock; nothing when the day text names no day.
struct NextOccurrence {
    LocalDateTime when;
    std::int64_t seconds = 0;
};
std::optional<NextOccurrence> nextOccurrence(const LocalDateTime& now, ScheduleMode mode,
                                             const TimeOfDay& target, const std::string& dayText);
// The wall-clock reading seconds after when, summer time ignored.
LocalDateTime laterBy(const LocalDateTime& when, std::int64_t seconds);

// The history row of a missed occurrence, e.g.
// "Missed Daily 09:00:00 — the computer was asleep or the clock moved".
std::string missedOccurrenceNote(ScheduleMode mode, const TimeOfDay& target,
                                 const std::string& dayText);

} // namespace tw
