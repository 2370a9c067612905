#pragma once

#include "platform/event_pump.h"

namespace tw {

// The user-interface thread's Windows message queue, run from long handlers.
class MessagePump : public EventPump {
  public:
    void processPending() override;
    void waitForEvents(int maxMs) override;
};

} // namespace tw
