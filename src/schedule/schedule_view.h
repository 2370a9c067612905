#pragma once

#include "schedule/schedule_state.h"

#include <cstdint>
#include <string>

namespace tw {

// What the schedule handlers show in the window: the schedule frame's usable inputs, the
// monitoring switch, the status line and the bar. The values shown are kept in
// ScheduleState, not read back from here.
class ScheduleView {
  public:
    virtual ~ScheduleView() = default;

    // Puts the keyboard focus back into the field.
    virtual void focusField(EveryXField field) = 0;

    virtual void setTimeEnabled(bool enabled) = 0;
    virtual void setDayEnabled(bool enabled) = 0;

    // The status line (the caption of Frame4).
    virtual void setStatus(const std::string& text) = 0;
    virtual void setBarMaximum(std::int32_t maximum) = 0;
    virtual void setBarPosition(std::int32_t position) = 0;
    virtual void setBarText(const std::string& text) = 0;

    // The monitoring switch's caption: kept at switching on, to be put back at switching off.
    virtual std::string switchCaption() const = 0;
    virtual void setSwitchCaption(const std::string& caption) = 0;
    // The main window's mouse pointer back to the default one.
    virtual void restoreDefaultPointer() = 0;
};

// The switch's caption while monitoring is on.
inline constexpr const char* kSwitchOnCaption = "Stop";

} // namespace tw
