#pragma once

#include "schedule/schedule_view.h"

#include <string>

namespace tw {

class Clock;
class Dialogs;
class Timer;

// The monitoring switch PushButton2.
class MonitoringSwitch {
  public:
    MonitoringSwitch(ScheduleState& state, ScheduleView& view, const Clock& clock, Timer& timer,
                     Dialogs& dialogs);

    // Switches on (the caption becomes "Stop" and the one-second timer starts) or off (the
    // timer stops, the status line reads "Off." and the bar is emptied). Neither resets the
    // elapsed count.
    void toggle();

    const std::string& savedCaption() const { return savedCaption_; }

  private:
    ScheduleState& state_;
    ScheduleView& view_;
    const Clock& clock_;
    Timer& timer_;
    Dialogs& dialogs_;
    // The caption at switching on, put back at switching off.
    std::string savedCaption_;
};

// The timer's interval while monitoring is on.
inline constexpr int kTickIntervalMs = 1000;

} // namespace tw
