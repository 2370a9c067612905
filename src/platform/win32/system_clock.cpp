#include "platform/win32/system_clock.h"

#include <windows.h>

#include <array>

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

std::string SystemClock::dayName() const {
    static constexpr std::array<const char*, 7> kNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
    SYSTEMTIME t;
    GetLocalTime(&t);
    return kNames[t.wDayOfWeek % 7];
}

} // namespace tw
