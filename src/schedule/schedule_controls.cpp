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

ScheduleControls::ScheduleControls(ScheduleState& state, ScheduleView& view, Settings& settings,
                                   const Clock& clock, const LocaleText& locale, Dialogs& dialogs,
                                   std::string appTitle)
    : state_(state), view_(view), settings_(settings), clock_(clock), locale_(locale),
      dialogs_(dialogs), appTitle_(std::move(appTitle)) {}

std::string ScheduleControls::pickerText() const {
    return locale_.longTime(state_.time.hour, state_.time.minute, state_.time.second);
}

bool ScheduleControls::pickerHoldsTime() const {
    // A picker holding a date alone has no colon in its text form.
    return pickerText().find(':') != std::string::npos;
}

void ScheduleControls::recomputeSpan() {
    state_.countdown.spanSeconds = remainingSeconds(clock_.now(), state_.time);
}

void ScheduleControls::modeChosen(ScheduleMode mode) {
    // The option is selected before its handler runs, whatever fails below.
    state_.mode = mode;
    if (mode == ScheduleMode::EveryX)
        state_.countdown.elapsedSeconds = 0;
    else if (pickerHoldsTime())
        recomputeSpan();
    settings_.save(keys::kScheduleMode, std::to_string(static_cast<int>(mode)));
    showUsableInputs();
}

void ScheduleControls::weeklyChosen() {
    modeChosen(ScheduleMode::Weekly);
}

void ScheduleControls::dailyChosen() {
    modeChosen(ScheduleMode::Daily);
}

void ScheduleControls::everyXChosen() {
    modeChosen(ScheduleMode::EveryX);
}

void ScheduleControls::showUsableInputs() {
    const bool weekly = state_.mode == ScheduleMode::Weekly;
    view_.setTimeEnabled(weekly || state_.mode == ScheduleMode::Daily);
    view_.setDayEnabled(weekly);
}

void ScheduleControls::dayChosen(const std::string& day) {
    state_.day = day;
    settings_.save(keys::kWeeklyDay, day);
}

void ScheduleControls::timeChanged(const TimeOfDay& time) {
    state_.time = time;
    settings_.save(keys::kWeeklyTime, pickerText());
    if (state_.mode == ScheduleMode::Daily && pickerHoldsTime())
        recomputeSpan();
}

void ScheduleControls::fieldChanged(EveryXField field, const std::string& text) {
    state_.intervalText(field) = text;
    settings_.save(fieldKey(field), text);
}

void ScheduleControls::fieldLeft(EveryXField field) {
    if (locale_.parseNumber(state_.intervalText(field)))
        return;
    dialogs_.messageBox(kNotANumberMessage, appTitle_, Buttons::Ok, Icon::None);
    view_.focusField(field);
}

void ScheduleControls::runSwitchClicked(int value) {
    state_.runCheck = value;
    settings_.save(keys::kRunEnabled, std::to_string(value));
}

void ScheduleControls::closeSwitchClicked(int value) {
    state_.closeCheck = value;
    settings_.save(keys::kCloseEnabled, std::to_string(value));
}

} // namespace tw
