#include "schedule/schedule_model.h"

#include "core/stored_values.h"
#include "platform/locale_text.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace tw {

std::int32_t remainingSeconds(const LocalDateTime& now, const TimeOfDay& target) {
    return target.secondOfDay() - now.secondOfDay();
}

WeeklyDailyTick weeklyDailyProgress(ScheduleMode mode, std::int32_t span, std::int32_t remaining,
                                    const std::string& dayText) {
    WeeklyDailyTick tick;
    tick.elapsed = static_cast<std::int32_t>(static_cast<std::int64_t>(span) - remaining);
    tick.view.maximum = span;
    if (tick.elapsed <= span) {
        tick.view.position = tick.elapsed;
        tick.view.status = std::string(kStatusPrefix) + formatSeconds(remaining);
        if (mode == ScheduleMode::Weekly)
            tick.view.status += " [" + dayText + "]";
    } else {
        tick.view.position = 0;
        tick.view.status = kStatusPrefix;
    }
    return tick;
}

std::int32_t everyXInterval(const std::string& hours, const std::string& minutes,
                            const std::string& seconds, const LocaleText& locale) {
    const auto number = [&](const std::string& text) {
        const auto value = locale.parseNumber(text);
        if (!value)
            throw std::runtime_error("Type mismatch");
        return *value;
    };
    const double total = number(hours) * 3600.0 + number(minutes) * 60.0 + number(seconds);
    const double rounded = roundHalfEven(total);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw std::runtime_error("Overflow");
    return static_cast<std::int32_t>(rounded);
}

ProgressView everyXProgress(std::int32_t span, std::int32_t elapsed) {
    ProgressView view;
    view.maximum = span;
    if (elapsed <= span)
        view.position = elapsed;
    view.status = std::string(kStatusPrefix) + formatSeconds(static_cast<std::int64_t>(span) -
                                                             static_cast<std::int64_t>(elapsed));
    return view;
}

std::string formatSeconds(std::int64_t seconds) {
    const std::int64_t within = (seconds < 0 ? -seconds : seconds) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(within / 3600),
                  static_cast<int>(within / 60 % 60), static_cast<int>(within % 60));
    return text;
}

bool everyXMatch(std::int32_t elapsed, std::int32_t span) {
    // A count already past the interval (the interval shortened, or the count carried over
    // from an earlier run) fires now rather than never.
    return span > 0 && elapsed >= span;
}

std::int32_t nextElapsed(std::int32_t elapsed) {
    return elapsed == std::numeric_limits<std::int32_t>::max() ? elapsed : elapsed + 1;
}

} // namespace tw
