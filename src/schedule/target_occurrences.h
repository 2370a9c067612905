#pragma once

#include "platform/clock.h"
#include "schedule/schedule_model.h"

#include <optional>
#include <string>

namespace tw {

// Decides at each tick whether a Daily or Weekly target is due, so that every occurrence
// fires exactly once whatever the clock does. An occurrence is due at the first tick whose
// local reading is at or past it while the previous tick's was before it: a time of day
// that a change to summer time leaves out fires at the first second after the gap, and one
// passed while no tick came (a suspended machine, a stalled process, a clock set forward)
// fires once, late, at the next tick. An occurrence never fires on or before a date on which
// the same target already fired, so a clock set back and the hour repeated at the change
// to winter time repeat nothing.
class TargetOccurrences {
  public:
    // Monitoring starts: targets passed before the first tick do not count.
    void restart() { previous_.reset(); }
    // Takes the tick's local reading and answers whether the target fires now.
    bool due(const LocalDateTime& now, ScheduleMode mode, const TimeOfDay& target,
             const std::string& dayText);

  private:
    struct Fired {
        ScheduleMode mode;
        TimeOfDay target;
        std::string dayText;
        LocalDateTime date; // the occurrence that fired
    };
    std::optional<LocalDateTime> previous_;
    std::optional<Fired> fired_;
};

} // namespace tw
