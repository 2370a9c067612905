#pragma once

#include <algorithm>

namespace tw {

// The user-interface thread's event loop, as seen from long-running handlers.
class EventPump {
  public:
    virtual ~EventPump() = default;
    // Runs the window events already pending, then returns.
    virtual void processPending() = 0;
    // Handles window events as they come for up to maxMs milliseconds, sleeping while
    // none are pending; may return earlier.
    virtual void waitForEvents(int maxMs) = 0;
    // Like waitForEvents, but also returns as soon as the descriptor (a POSIX file
    // descriptor, e.g. a second connection to the display) has data to read. The fallback
    // waits in short slices, so the caller looks at the descriptor at least every 20 ms.
    virtual void waitForEventsOrInput(int descriptor, int maxMs) {
        (void)descriptor;
        waitForEvents(std::min(maxMs, 20));
    }
};

} // namespace tw
