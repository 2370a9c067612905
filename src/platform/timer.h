#pragma once

#include "platform/clock.h"

#include <functional>
#include <optional>

namespace tw {

// A window timer: raises its handler on the user-interface thread once per interval
// while enabled.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    // The tick handler; called with no arguments.
    virtual void setHandler(std::function<void()> handler) = 0;
    // The wall-clock second the tick being handled stands for, when the timer keeps its
    // ticks locked to the clock's seconds; nothing outside a tick or for other timers.
    virtual std::optional<LocalDateTime> tickTime() const { return std::nullopt; }
};

} // namespace tw
