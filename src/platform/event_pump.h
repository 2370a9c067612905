#pragma once

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
};

} // namespace tw
