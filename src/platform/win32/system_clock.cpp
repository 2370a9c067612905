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

std::optional<int> SystemClock::utcOffsetSeconds() const {
    // One UTC reading and its local form, so that both stand for the same instant.
    SYSTEMTIME utc;
    SYSTEMTIME local;
    GetSystemTime(&utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::nullopt;
    FILETIME utcFile;
    FILETIME localFile;
    if (!SystemTimeToFileTime(&utc, &utcFile) || !SystemTimeToFileTime(&local, &localFile))
        return std::nullopt;
    const auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                                      f.dwLowDateTime);
    };
    return static_cast<int>((ticks(localFile) - ticks(utcFile)) / 10000000);
}

} // namespace tw
