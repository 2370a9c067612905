#include "schedule/target_occurrences.h"

#include "schedule/monitoring_tick.h"

#include <chrono>
#include <tuple>
#include <utility>

namespace tw {

namespace {

auto order(const LocalDateTime& t) {
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

bool before(const LocalDateTime& a, const LocalDateTime& b) {
    return order(a) < order(b);
}

bool sameDateOrEarlier(const LocalDateTime& a, const LocalDateTime& b) {
    return std::tie(a.year, a.month, a.day) <= std::tie(b.year, b.month, b.day);
}

LocalDateTime dayBefore(const LocalDateTime& when) {
    using namespace std::chrono;
    const year_month_day date{
        sys_days(year_month_day(year(when.year), month(static_cast<unsigned>(when.month)),
                                day(static_cast<unsigned>(when.day)))) -
        days(1)};
    LocalDateTime earlier = when;
    earlier.year = static_cast<int>(date.year());
    earlier.month = static_cast<int>(static_cast<unsigned>(date.month()));
    earlier.day = static_cast<int>(static_cast<unsigned>(date.day()));
    return earlier;
}

// The latest occurrence of the target at or before now, if the day text names a day.
std::optional<LocalDateTime> latestOccurrence(const LocalDateTime& now, ScheduleMode mode,
                                              const TimeOfDay& target, const std::string& dayText) {
    LocalDateTime at = now;
    at.hour = target.hour;
    at.minute = target.minute;
    at.second = target.second;
    if (before(now, at))
        at = dayBefore(at);
    if (mode == ScheduleMode::Daily)
        return at;
    for (int back = 0; back < 7; ++back, at = dayBefore(at))
        if (dayNameOf(at) == dayText) // letter case counts
            return at;
    return std::nullopt;
}

} // namespace

bool TargetOccurrences::due(const LocalDateTime& now, ScheduleMode mode, const TimeOfDay& target,
                            const std::string& dayText) {
    const std::optional<LocalDateTime> previous = std::exchange(previous_, now);
    const auto occurrence = latestOccurrence(now, mode, target, dayText);
    if (!occurrence)
        return false;
    // The first tick after switching on fires only the occurrence of its own second.
    const bool reached = previous ? before(*previous, *occurrence) : *occurrence == now;
    if (!reached)
        return false;
    if (fired_ && fired_->mode == mode && fired_->target == target && fired_->dayText == dayText &&
        sameDateOrEarlier(*occurrence, fired_->date))
        return false;
    fired_ = Fired{mode, target, dayText, *occurrence};
    return true;
}

} // namespace tw
