#pragma once

#include "platform/event_pump.h"

namespace tw {

// The Qt event loop of the user-interface thread.
class QtEventPump : public EventPump {
  public:
    void processPending() override;
    void waitForEvents(int maxMs) override;
    void waitForEventsOrInput(int descriptor, int maxMs) override;
};

} // namespace tw
