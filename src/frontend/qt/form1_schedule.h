#pragma once

namespace tw {

class Form1;

// Connects the schedule frame, the feature switches, the monitoring switch and Timer1 of the
// main window to their handlers; the firings close and launch through the platform and log
// into the history list.
void connectScheduleHandlers(Form1& form);

} // namespace tw
