#pragma once

#include "schedule/schedule_view.h"

#include <string>

namespace tw {

class Clock;
class Dialogs;
class LocaleText;
class Settings;

inline constexpr const char* kNotANumberMessage = "Must be a numeric entry.";

// The handlers of the schedule frame and the two feature switches: each takes its control's
// new value into the schedule state and stores it at once; the mode options also set which
// inputs can be used and prepare the countdown. None of them starts or stops monitoring.
class ScheduleControls {
  public:
    ScheduleControls(ScheduleState& state, ScheduleView& view, Settings& settings,
                     const Clock& clock, const LocaleText& locale, Dialogs& dialogs,
                     std::string appTitle);

    void weeklyChosen();
    void dailyChosen();
    void everyXChosen();
    // A choice from the day list, by click or by change.
    void dayChosen(const std::string& day);
    // A change or a click of the time picker.
    void timeChanged(const TimeOfDay& time);
    // Every keystroke: the text is stored exactly as it stands, valid or not.
    void fieldChanged(EveryXField field, const std::string& text);
    // Leaving the field: a text that is not a number is refused with a box, and the focus
    // goes back to the field.
    void fieldLeft(EveryXField field);
    // The new value of the check box, 0, 1 or 2.
    void runSwitchClicked(int value);
    void closeSwitchClicked(int value);

    // Enables the time and the day as the selected mode needs them: both for Weekly, the
    // time alone for Daily, neither for Every X. The mode options do it when chosen.
    void showUsableInputs();

  private:
    // The picker's value as it is stored: its time of day in the locale's long time form.
    std::string pickerText() const;
    bool pickerHoldsTime() const;
    void recomputeSpan();
    void modeChosen(ScheduleMode mode);

    ScheduleState& state_;
    ScheduleView& view_;
    Settings& settings_;
    const Clock& clock_;
    const LocaleText& locale_;
    Dialogs& dialogs_;
    std::string appTitle_;
};

// The settings key of an Every X field ("Text1" to "Text3").
const char* fieldKey(EveryXField field);

} // namespace tw
