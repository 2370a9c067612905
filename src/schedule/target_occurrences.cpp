#include "schedule/target_occurrences.h"

#include "schedule/monitoring_tick.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
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

// Seconds of the local reading on a count that runs on through the days, summer time
// ignored.
std::int64_t wallSeconds(const LocalDateTime& t) {
    using namespace std::chrono;
    const sys_days date{year_month_day(year(t.year), month(static_cast<unsigned>(t.month)),
                                       day(static_cast<unsigned>(t.day)))};
    return static_cast<std::int64_t>(date.time_since_epoch().count()) * 86400 + t.secondOfDay();
}

// The hour (or half hour) that a move to summer time between the two readings left out.
int summerTimeGap(const std::optional<ClockReading>& previous, const ClockReading& now) {
    if (!previous || !previous->utcOffsetSeconds || !now.utcOffsetSeconds)
        return 0;
    return std::max(0, *now.utcOffsetSeconds - *previous->utcOffsetSeconds);
}

} // namespace

OccurrenceVerdict TargetOccurrences::judge(const ClockReading& now, ScheduleMode mode,
                                           const TimeOfDay& target, const std::string& dayText) {
    const std::optional<ClockReading> previous = std::exchange(previous_, now);
    const auto occurrence = latestOccurrence(now.local, mode, target, dayText);
    if (!occurrence)
        return OccurrenceVerdict::Nothing;
    // Without an earlier reading only the occurrence of the tick's own second counts.
    const bool reached = previous ? before(previous->local, *occurrence) : *occurrence == now.local;
    if (!reached)
        return OccurrenceVerdict::Nothing;
    if (judged_ && judged_->mode == mode && judged_->target == target &&
        judged_->dayText == dayText && sameDateOrEarlier(*occurrence, judged_->date))
        return OccurrenceVerdict::Nothing;
    judged_ = Judged{mode, target, dayText, *occurrence};
    const std::int64_t late = wallSeconds(now.local) - wallSeconds(*occurrence);
    return late <= kCatchUpGraceSeconds + summerTimeGap(previous, now) ? OccurrenceVerdict::Fire
                                                                       : OccurrenceVerdict::Missed;
}

std::optional<NextOccurrence> nextOccurrence(const LocalDateTime& now, ScheduleMode mode,
                                             const TimeOfDay& target, const std::string& dayText) {
    // Occurrences come a day (Daily) or a week (Weekly) apart, so the latest one at or before
    // that span less a second from now is the first one at or after now.
    const std::int64_t span = mode == ScheduleMode::Daily ? 86400 : 7 * 86400;
    const auto at = latestOccurrence(laterBy(now, span - 1), mode, target, dayText);
    if (!at)
        return std::nullopt;
    return NextOccurrence{*at, wallSeconds(*at) - wallSeconds(now)};
}

LocalDateTime laterBy(const LocalDateTime& when, std::int64_t seconds) {
    using namespace std::chrono;
    const std::int64_t total = wallSeconds(when) + seconds;
    const std::int64_t days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
    const std::int64_t second = total - days * 86400;
    const year_month_day date{sys_days(std::chrono::days(days))};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(second / 3600),
            static_cast<int>(second / 60 % 60),
            static_cast<int>(second % 60)};
}

std::string missedOccurrenceNote(ScheduleMode mode, const TimeOfDay& target,
                                 const std::string& dayText) {
    const std::string time = formatSeconds(target.secondOfDay());
    const std::string which =
        mode == ScheduleMode::Weekly ? "Weekly " + dayText + " " + time : "Daily " + time;
    // "\xE2\x80\x94" is the em dash in UTF-8, whatever the compiler's own character set.
    return "Missed " + which + " \xE2\x80\x94 the computer was asleep or the clock moved";
}

} // namespace tw
