#include "schedule/schedule_controls.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/locale_text.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

#include <utility>

namespace tw {

const char* fieldKey(EveryXField field) {
    switch (field) {
    case EveryXField::Hours:
        return keys::kHours;
    case EveryXField::Minutes:
        return keys::kMinutes;
    case EveryXField::Seconds:
        break;
    }
    return keys::kSeconds;
}

ScheduleControls::ScheduleControls(ScheduleView& view, Settings& settings, const Clock& clock,
                                   const LocaleText& locale, Dialogs& dialogs, Countdown& countdown,
                                   std::string appTitle)
    : view_(view), settings_(settings), clock_(clock), locale_(locale), dialogs_(dialogs),
      countdown_(countdown), appTitle_(std::move(appTitle)) {}

bool ScheduleControls::pickerHoldsTime() const {
    // A picker holding a date alone has no colon in its text form.
    return view_.pickerText().find(':') != std::string::npos;
}

void ScheduleControls::recomputeSpan() {
    countdown_.spanSeconds = remainingSeconds(clock_.now(), view_.pickerTime());
}

void ScheduleControls::weeklyChosen() {
    if (pickerHoldsTime())
        recomputeSpan();
    settings_.save(keys::kScheduleMode, "1");
    showUsableInputs();
}

void ScheduleControls::dailyChosen() {
    if (pickerHoldsTime())
        recomputeSpan();
    settings_.save(keys::kScheduleMode, "2");
    showUsableInputs();
}

void ScheduleControls::everyXChosen() {
    countdown_.elapsedSeconds = 0;
    settings_.save(keys::kScheduleMode, "3");
    showUsableInputs();
}

void ScheduleControls::showUsableInputs() {
    const bool weekly = view_.modeSelected(ScheduleMode::Weekly);
    view_.setTimeEnabled(weekly || view_.modeSelected(ScheduleMode::Daily));
    view_.setDayEnabled(weekly);
}

void ScheduleControls::dayChosen() {
    settings_.save(keys::kWeeklyDay, view_.dayText());
}

void ScheduleControls::timeChanged() {
    settings_.save(keys::kWeeklyTime, view_.pickerText());
    if (view_.modeSelected(ScheduleMode::Daily) && pickerHoldsTime())
        recomputeSpan();
}

void ScheduleControls::fieldChanged(EveryXField field) {
    settings_.save(fieldKey(field), view_.fieldText(field));
}

void ScheduleControls::fieldLeft(EveryXField field) {
    if (locale_.parseNumber(view_.fieldText(field)))
        return;
    dialogs_.messageBox(kNotANumberMessage, appTitle_, Buttons::Ok, Icon::None);
    view_.focusField(field);
}

void ScheduleControls::runSwitchClicked() {
    settings_.save(keys::kRunEnabled, std::to_string(view_.runCheck()));
}

void ScheduleControls::closeSwitchClicked() {
    settings_.save(keys::kCloseEnabled, std::to_string(view_.closeCheck()));
}

} // namespace tw
