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
    countdown_.SpanSeconds = remainingSeconds(clock_.now(), view_.pickerTime());
}

void ScheduleControls::Option1_Click() {
    if (pickerHoldsTime())
        recomputeSpan();
    settings_.SaveSetting(keys::kScheduleMode, "1");
    showUsableInputs();
}

void ScheduleControls::Option2_Click() {
    if (pickerHoldsTime())
        recomputeSpan();
    settings_.SaveSetting(keys::kScheduleMode, "2");
    showUsableInputs();
}

void ScheduleControls::Option3_Click() {
    countdown_.ElapsedSeconds = 0;
    settings_.SaveSetting(keys::kScheduleMode, "3");
    showUsableInputs();
}

void ScheduleControls::showUsableInputs() {
    const bool weekly = view_.modeSelected(ScheduleMode::Weekly);
    view_.setTimeEnabled(weekly || view_.modeSelected(ScheduleMode::Daily));
    view_.setDayEnabled(weekly);
}

void ScheduleControls::cboWeekly_Click() {
    settings_.SaveSetting(keys::kWeeklyDay, view_.dayText());
}

void ScheduleControls::dtpWeekly_Change() {
    settings_.SaveSetting(keys::kWeeklyTime, view_.pickerText());
    if (view_.modeSelected(ScheduleMode::Daily) && pickerHoldsTime())
        recomputeSpan();
}

void ScheduleControls::Text_Change(EveryXField field) {
    settings_.SaveSetting(fieldKey(field), view_.fieldText(field));
}

void ScheduleControls::Text_LostFocus(EveryXField field) {
    if (locale_.parseNumber(view_.fieldText(field)))
        return;
    dialogs_.messageBox(kNotANumberMessage, appTitle_, Buttons::Ok, Icon::None);
    view_.focusField(field);
}

void ScheduleControls::Check1_Click() {
    settings_.SaveSetting(keys::kRunEnabled, std::to_string(view_.runCheck()));
}

void ScheduleControls::Check2_Click() {
    settings_.SaveSetting(keys::kCloseEnabled, std::to_string(view_.closeCheck()));
}

} // namespace tw
