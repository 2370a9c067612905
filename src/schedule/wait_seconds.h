#pragma once

namespace tw {

class Clock;
class EventPump;

// Returns once `seconds` have passed on the clock of seconds since midnight, handling window
// events all the while. The thread sleeps between events instead of polling.
void waitSeconds(int seconds, const Clock& clock, EventPump& events);

} // namespace tw
