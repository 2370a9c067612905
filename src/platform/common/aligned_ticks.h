#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <optional>

namespace tw {

// The plan of a timer whose ticks stand for the wall clock's own boundaries (every whole
// second for a 1000 ms interval): when to wake next, and which boundary a wake-up delivers.
// Times are milliseconds of the wall clock since the epoch. A tick that comes late is still
// delivered for the boundary it was due at, and each boundary is delivered once.
class AlignedTicks {
  public:
    // Wake this long after a boundary, so that a clock read in the tick shows the boundary's
    // second even when the system timer fires a little early.
    static constexpr std::int64_t kDeliveryDelayMs = 3;
    // Overdue ticks are delivered one after another up to this far back; beyond it the
    // machine was suspended or the clock was set, and the ticks start again from the
    // current boundary instead of replaying a burst.
    static constexpr std::int64_t kCatchUpMs = 60000;

    // Starts ticking: the first tick stands for the first boundary at least half an
    // interval away, so that on average it comes one interval after the start.
    void start(std::int64_t intervalMs, std::int64_t nowMs);
    // How long to sleep before waking for the next tick; 0 when it is overdue.
    std::int64_t sleepMs(std::int64_t nowMs) const;
    // At a wake-up: the boundary the tick delivered now stands for, or nothing when the next
    // one is not due yet (woken early, or the clock was set back and the plan moved with it).
    std::optional<std::int64_t> take(std::int64_t nowMs);

    // Boundaries passed over after a suspension or a clock change.
    std::int64_t skipped() const { return skipped_; }

  private:
    std::int64_t interval_ = 1000;
    std::int64_t due_ = 0;
    std::int64_t skipped_ = 0;
};

// The local date and time of the second that holds the instant.
LocalDateTime localDateTimeAt(std::int64_t msSinceEpoch);

} // namespace tw
