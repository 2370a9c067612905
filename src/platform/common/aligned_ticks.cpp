#include "platform/common/aligned_ticks.h"

#include <algorithm>
#include <ctime>

namespace tw {

namespace {

std::int64_t floorTo(std::int64_t value, std::int64_t step) {
    const std::int64_t q = value / step;
    return (q - ((value % step != 0) && (value < 0))) * step;
}

std::int64_t ceilTo(std::int64_t value, std::int64_t step) {
    return -floorTo(-value, step);
}

} // namespace

void AlignedTicks::start(std::int64_t intervalMs, std::int64_t nowMs) {
    interval_ = std::max<std::int64_t>(intervalMs, 1);
    due_ = ceilTo(nowMs + interval_ / 2, interval_);
}

std::int64_t AlignedTicks::sleepMs(std::int64_t nowMs) const {
    return std::max<std::int64_t>(due_ + kDeliveryDelayMs - nowMs, 0);
}

std::optional<std::int64_t> AlignedTicks::take(std::int64_t nowMs) {
    if (nowMs < due_) {
        if (due_ - nowMs > interval_ + kDeliveryDelayMs)
            due_ = ceilTo(nowMs, interval_); // the clock went back
        return std::nullopt;
    }
    if (nowMs - due_ > kCatchUpMs) {
        const std::int64_t current = floorTo(nowMs, interval_);
        skipped_ += (current - due_) / interval_;
        due_ = current;
    }
    const std::int64_t boundary = due_;
    due_ += interval_;
    return boundary;
}

LocalDateTime localDateTimeAt(std::int64_t msSinceEpoch) {
    const std::time_t seconds = static_cast<std::time_t>(floorTo(msSinceEpoch, 1000) / 1000);
    std::tm t{};
#ifdef _WIN32
    localtime_s(&t, &seconds);
#else
    localtime_r(&seconds, &t);
#endif
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

} // namespace tw
