#include "platform/qt/wall_clock_timer.h"

#include <algorithm>
#include <climits>

namespace tw {

WallClockTimer::WallClockTimer() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { onWake(); });
}

void WallClockTimer::wakeAt(std::int64_t dueMs) {
    const std::int64_t sleep = std::max<std::int64_t>(dueMs - wallClockMs(), 0);
    timer_.start(static_cast<int>(std::min<std::int64_t>(sleep, INT_MAX)));
}

void WallClockTimer::cancelWake() {
    timer_.stop();
}

} // namespace tw
