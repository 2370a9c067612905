#include "platform/qt/wall_clock_timer.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <utility>

namespace tw {

std::int64_t wallClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

WallClockTimer::WallClockTimer() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { onTimeout(); });
}

void WallClockTimer::setInterval(int ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_)
        restart();
}

void WallClockTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        restart();
    else
        timer_.stop();
}

void WallClockTimer::setHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
}

void WallClockTimer::restart() {
    timer_.stop();
    if (interval_ <= 0)
        return;
    plan_.start(interval_, wallClockMs());
    arm();
}

void WallClockTimer::arm() {
    if (!enabled_ || interval_ <= 0)
        return;
    const std::int64_t sleep = plan_.sleepMs(wallClockMs());
    timer_.start(static_cast<int>(std::min<std::int64_t>(sleep, INT_MAX)));
}

void WallClockTimer::onTimeout() {
    if (!enabled_ || interval_ <= 0)
        return;
    if (inTick_)
        return; // armed again once the running tick returns
    const auto boundary = plan_.take(wallClockMs());
    if (boundary && handler_) {
        inTick_ = true;
        current_ = localDateTimeAt(*boundary);
        struct Done {
            WallClockTimer& t;
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
