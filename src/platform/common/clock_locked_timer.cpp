#include "platform/common/clock_locked_timer.h"

#include <chrono>
#include <utility>

namespace tw {

std::int64_t wallClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void ClockLockedTimer::setInterval(int ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_)
        restart();
}

void ClockLockedTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        restart();
    else
        cancelWake();
}

void ClockLockedTimer::setHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
}

void ClockLockedTimer::restart() {
    cancelWake();
    if (interval_ <= 0)
        return;
    plan_.start(interval_, wallClockMs());
    arm();
}

void ClockLockedTimer::arm() {
    if (!enabled_ || interval_ <= 0)
        return;
    const std::int64_t now = wallClockMs();
    wakeAt(now + plan_.sleepMs(now));
}

void ClockLockedTimer::onWake() {
    if (!enabled_ || interval_ <= 0)
        return;
    if (inTick_)
        return; // armed again once the running tick returns
    const auto boundary = plan_.take(wallClockMs());
    if (boundary && handler_) {
        inTick_ = true;
        current_ = localDateTimeAt(*boundary);
        struct Done {
            ClockLockedTimer& t;
            ~Done() {
                t.current_.reset();
                t.inTick_ = false;
            }
        } done{*this};
        handler_();
    }
    arm();
}

} // namespace tw
