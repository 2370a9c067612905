#pragma once

#include "schedule/schedule_view.h"

#include <string>

namespace tw {

class Clock;
class Dialogs;
class Timer;

// The monitoring switch PushButton2: its caption tells whether monitoring is on.
class MonitoringSwitch {
  public:
    MonitoringSwitch(ScheduleView& view, const Clock& clock, Timer& timer, Dialogs& dialogs,
                     Countdown& countdown);

    // Switches on (the caption becomes "Stop" and the one-second timer starts) or off (the
    // timer stops, the status line reads "Off." and the bar is emptied). Neither resets the
    // elapsed count.
    void toggle();

    const std::string& savedCaption() const { return savedCaption_; }

  private:
    ScheduleView& view_;
    const Clock& clock_;
    Timer& timer_;
    Dialogs& dialogs_;
    Countdown& countdown_;
    // The caption at switching on, put back at switching off.
    std::string savedCaption_;
};

// The timer's interval while monitoring is on.
inline constexpr int kTickIntervalMs = 1000;

} // namespace tw
