#pragma once

#include "core/close_method.h"
#include "schedule/schedule_model.h"
#include "schedule/target_occurrences.h"

#include <cstdint>
#include <string>

namespace tw {

class ListView;

// Text1, Text2 and Text3: the hours, minutes and seconds of Every X.
enum class EveryXField { Hours = 1, Minutes = 2, Seconds = 3 };

// The controls of the schedule frame, the feature switches, the monitoring switch, the
// status line, the bar and the two lists, as the schedule handlers see them.
class ScheduleView {
  public:
    virtual ~ScheduleView() = default;

    // Whether the option button of the mode is selected.
    virtual bool modeSelected(ScheduleMode mode) const = 0;
    // The chosen day name of cboWeekly, "" when none is chosen.
    virtual std::string dayText() const = 0;
    // The picker's value as it is stored: its time of day in the locale's long time form.
    virtual std::string pickerText() const = 0;
    // The picker's time of day.
    virtual TimeOfDay pickerTime() const = 0;
    virtual std::string fieldText(EveryXField field) const = 0;
    // Puts the keyboard focus back into the field.
    virtual void focusField(EveryXField field) = 0;
    // The check box values of Check1 (run) and Check2 (close): 0 clear, 1 checked.
    virtual int runCheck() const = 0;
    virtual int closeCheck() const = 0;
    // The close method the options show at this moment.
    virtual CloseMethod closeMethod() const = 0;

    virtual void setTimeEnabled(bool enabled) = 0;
    virtual void setDayEnabled(bool enabled) = 0;

    // The status line (the caption of Frame4).
    virtual void setStatus(const std::string& text) = 0;
    virtual void setBarMaximum(std::int32_t maximum) = 0;
    virtual void setBarPosition(std::int32_t position) = 0;
    virtual void setBarText(const std::string& text) = 0;

    // The monitoring switch's caption, the only record of whether monitoring is on.
    virtual std::string switchCaption() const = 0;
    virtual void setSwitchCaption(const std::string& caption) = 0;
    // The main window's mouse pointer back to the default one.
    virtual void restoreDefaultPointer() = 0;

    virtual ListView& runList() = 0;
    virtual ListView& closeList() = 0;
};

// The switch's caption while monitoring is on.
inline constexpr const char* kSwitchOnCaption = "Stop";

// The two countdown numbers of the main window; not stored.
struct Countdown {
    std::int32_t spanSeconds = 0;
    std::int32_t elapsedSeconds = 0;
    // Which Daily and Weekly occurrences have come and fired.
    TargetOccurrences occurrences;
};

} // namespace tw
