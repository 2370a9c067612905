#include "window/control_views.h"

#include <algorithm>

namespace tw {

namespace {

// The close method the two options show: Soft, Hard, or None when both are clear.
CloseMethod closeMethodOf(const OptionButton& soft, const OptionButton& hard) {
    if (soft.selected())
        return CloseMethod::Soft;
    if (hard.selected())
        return CloseMethod::Hard;
    return CloseMethod::None;
}

} // namespace

TextBox& ScheduleOnControls::box(EveryXField field) const {
    switch (field) {
    case EveryXField::Hours:
        return c_.hours;
    case EveryXField::Minutes:
        return c_.minutes;
    case EveryXField::Seconds:
        break;
    }
    return c_.seconds;
}

void ScheduleOnControls::setBarMaximum(std::int32_t maximum) {
    barMaximum_ = maximum;
    showBar();
}

void ScheduleOnControls::setBarPosition(std::int32_t position) {
    barPosition_ = position;
    showBar();
}

void ScheduleOnControls::showBar() {
    // A span of zero or less (a target already passed) shows an empty bar, and a position
    // outside the span is shown at the nearer end.
    const int top = std::max(barMaximum_, 1);
    c_.progressBar.setProgress(std::clamp(barPosition_, 0, top), top);
}

void ScheduleOnControls::setSwitchCaption(const std::string& caption) {
    c_.switchButton.setCaption(caption);
}

ScheduleState scheduleShownBy(const MainWindowControls& c) {
    ScheduleState state;
    if (c.weekly.selected())
        state.mode = ScheduleMode::Weekly;
    else if (c.daily.selected())
        state.mode = ScheduleMode::Daily;
    else if (c.everyX.selected())
        state.mode = ScheduleMode::EveryX;
    state.time = c.timePicker.time();
    state.day = c.dayList.text();
    state.intervalTexts = {c.hours.text(), c.minutes.text(), c.seconds.text()};
    state.runCheck = c.runEnabled.value();
    state.closeCheck = c.closeEnabled.value();
    state.closeMethod = closeMethodOf(c.softClose, c.hardClose);
    state.monitoring = c.switchButton.caption() == kSwitchOnCaption;
    return state;
}

} // namespace tw
