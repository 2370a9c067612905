#include "schedule/wait_seconds.h"

#include "platform/clock.h"
#include "platform/event_pump.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tw {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// The clock read to the millisecond, so that sums of fractions cannot fall just short.
std::int64_t msSinceMidnight(const Clock& clock) {
    return std::llround(clock.secondsSinceMidnight() * 1000.0);
}

// Milliseconds from start to now on a clock that restarts from 0 at midnight.
std::int64_t passedSince(std::int64_t start, std::int64_t now) {
    return now >= start ? now - start : (kMsPerDay - start) + now;
}

} // namespace

void waitSeconds(int seconds, const Clock& clock, EventPump& events) {
    const std::int64_t start = msSinceMidnight(clock);
    const std::int64_t length = static_cast<std::int64_t>(seconds) * 1000;
    for (;;) {
        const std::int64_t passed = passedSince(start, msSinceMidnight(clock));
        if (passed >= length)
            return;
        // Sleep until the end of the wait unless events come first.
        events.waitForEvents(static_cast<int>(std::min(length - passed, kMsPerDay)));
    }
}

} // namespace tw
