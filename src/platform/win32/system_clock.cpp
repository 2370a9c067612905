#include "platform/win32/system_clock.h"

#include <windows.h>

namespace tw {

LocalDateTime SystemClock::now() const {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

double SystemClock::secondsSinceMidnight() const {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

int SystemClock::utcOffsetSeconds() const {
    // Local time minus UTC at the same instant, so summer time counts as it does now.
    SYSTEMTIME utc, local;
    GetSystemTime(&utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return 0;
    FILETIME u, l;
    SystemTimeToFileTime(&utc, &u);
    SystemTimeToFileTime(&local, &l);
    const auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                                      f.dwLowDateTime);
    };
    // 100 ns ticks, rounded to whole minutes as zones are.
    const long long minutes =
        (ticks(l) - ticks(u) + (ticks(l) >= ticks(u) ? 1 : -1) * 300000000LL) / 600000000LL;
    return static_cast<int>(minutes * 60);
}

} // namespace tw
