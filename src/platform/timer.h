#pragma once

#include <functional>

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
};

} // namespace tw
