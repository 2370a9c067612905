#include "window/control_views.h"

#include "platform/locale_text.h"

#include <algorithm>

namespace tw {

bool ScheduleOnControls::modeSelected(ScheduleMode mode) const {
    switch (mode) {
    case ScheduleMode::Weekly:
        return c_.weekly.selected();
    case ScheduleMode::Daily:
        return c_.daily.selected();
    case ScheduleMode::EveryX:
        break;
    }
    return c_.everyX.selected();
}

std::string ScheduleOnControls::pickerText() const {
    const TimeOfDay t = pickerTime();
    return locale_.longTime(t.hour, t.minute, t.second);
}

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

CloseMethod ScheduleOnControls::closeMethod() const {
    return closeMethodOf(c_.softClose, c_.hardClose);
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

CloseMethod closeMethodOf(const OptionButton& soft, const OptionButton& hard) {
    if (soft.selected())
        return CloseMethod::Soft;
    if (hard.selected())
        return CloseMethod::Hard;
    return CloseMethod::None;
}

} // namespace tw
