#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

class LocaleText;

// The three schedules; the numbers are the stored values of the mode.
enum class ScheduleMode { Weekly = 1, Daily = 2, EveryX = 3 };

inline constexpr const char* kStatusPrefix = "On. Next run/close will occur in: ";
inline constexpr const char* kStatusOff = "Off.";
inline constexpr const char* kProgressBarIdleText = "Progress Bar";

// What one tick shows: the bar's maximum and position and the status line.
// No position means the bar keeps the position it had.
struct ProgressView {
    std::int32_t maximum = 0;
    std::optional<std::int32_t> position;
    std::string status;
};

// Signed seconds from now to the target time of now's calendar day.
std::int32_t remainingSeconds(const LocalDateTime& now, const TimeOfDay& target);

// Weekly and Daily: the elapsed count becomes span - remaining; the day text is shown in
// brackets for Weekly while the day's target time is still ahead.
struct WeeklyDailyTick {
    std::int32_t elapsed = 0;
    ProgressView view;
};
WeeklyDailyTick weeklyDailyProgress(ScheduleMode mode, std::int32_t span, std::int32_t remaining,
                                    const std::string& dayText);

// Every X: hours * 3600 + minutes * 60 + seconds from the three field texts, rounded half to
// even. Throws std::runtime_error("Type mismatch") for a text that is not a number and
// std::runtime_error("Overflow") for a total outside the signed 32-bit range.
std::int32_t everyXInterval(const std::string& hours, const std::string& minutes,
                            const std::string& seconds, const LocaleText& locale);

// Every X: the bar and the status line for the interval and the ticks counted so far.
ProgressView everyXProgress(std::int32_t span, std::int32_t elapsed);

// A count of seconds as "hh:mm:ss" within one day; negative counts by their absolute value.
std::string formatSeconds(std::int64_t seconds);

// Every X fires once the count has reached a positive interval or passed it.
bool everyXMatch(std::int32_t elapsed, std::int32_t span);

// One more tick counted, stopping at the largest count rather than wrapping.
std::int32_t nextElapsed(std::int32_t elapsed);

} // namespace tw
