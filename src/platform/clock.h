#pragma once

#include <string>

namespace tw {

// A time of day, to the second.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int secondOfDay() const { return hour * 3600 + minute * 60 + second; }
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// A local calendar date and time of day, to the second.
struct LocalDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    int secondOfDay() const { return hour * 3600 + minute * 60 + second; }
    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The local wall clock.
class Clock {
  public:
    virtual ~Clock() = default;
    // The current local date and time, to the second.
    virtual LocalDateTime now() const = 0;
    // Seconds since local midnight, with fractions of a second.
    virtual double secondsSinceMidnight() const = 0;
    // How far local time is ahead of UTC now, in seconds (negative west of Greenwich).
    virtual int utcOffsetSeconds() const = 0;
};

} // namespace tw
