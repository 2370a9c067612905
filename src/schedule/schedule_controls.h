#pragma once

#include "schedule/schedule_view.h"

#include <string>

namespace tw {

class Clock;
class Dialogs;
class LocaleText;
class Settings;

inline constexpr const char* kNotANumberMessage = "Must be a numeric entry.";

// The handlers of the schedule frame and the two feature switches: each stores its control's
// new state at once; the mode options also set which inputs can be used and prepare the
// countdown. None of them starts or stops monitoring.
class ScheduleControls {
  public:
    ScheduleControls(ScheduleView& view, Settings& settings, const Clock& clock,
                     const LocaleText& locale, Dialogs& dialogs, Countdown& countdown,
                     std::string appTitle);

    void weeklyChosen();
    void dailyChosen();
    void everyXChosen();
    // A choice from the day list, by click or by change.
    void dayChosen();
    // A change or a click of the time picker.
    void timeChanged();
    // Every keystroke: the text is stored exactly as it stands, valid or not.
    void fieldChanged(EveryXField field);
    // Leaving the field: a text that is not a number is refused with a box, and the focus
    // goes back to the field.
    void fieldLeft(EveryXField field);
    void runSwitchClicked();
    void closeSwitchClicked();

    // Enables the time and the day as the selected mode needs them: both for Weekly, the
    // time alone for Daily, neither for Every X. The mode options do it when chosen.
    void showUsableInputs();

  private:
    bool pickerHoldsTime() const;
    void recomputeSpan();

    ScheduleView& view_;
    Settings& settings_;
    const Clock& clock_;
    const LocaleText& locale_;
    Dialogs& dialogs_;
    Countdown& countdown_;
    std::string appTitle_;
};

// The settings key of an Every X field ("Text1" to "Text3").
const char* fieldKey(EveryXField field);

} // namespace tw
