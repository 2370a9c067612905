#include "platform/linux/system_clock.h"

#include <ctime>
#include <sys/time.h>

namespace tw {

namespace {

std::tm localNow(long* microseconds = nullptr) {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    if (microseconds)
        *microseconds = tv.tv_usec;
    std::tm parts{};
    localtime_r(&tv.tv_sec, &parts);
    return parts;
}

} // namespace

LocalDateTime SystemClock::now() const {
    const std::tm t = localNow();
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

double SystemClock::secondsSinceMidnight() const {
    long micro = 0;
    const std::tm t = localNow(&micro);
    return t.tm_hour * 3600.0 + t.tm_min * 60.0 + t.tm_sec + static_cast<double>(micro) / 1e6;
}

int SystemClock::utcOffsetSeconds() const {
    return static_cast<int>(localNow().tm_gmtoff);
}

} // namespace tw
