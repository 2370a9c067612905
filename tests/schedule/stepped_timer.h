#pragma once

#include "platform/timer.h"

#include <string>
#include <vector>

namespace tw::test {

// A timer that ticks only when a test says so; it records every change made to it.
class SteppedTimer : public Timer {
  public:
    void setInterval(int ms) override {
        interval_ = ms;
        record("interval " + std::to_string(ms));
    }
    int interval() const override { return interval_; }
    void setEnabled(bool e) override {
        enabled_ = e;
        record(e ? "timer on" : "timer off");
    }
    bool isEnabled() const override { return enabled_; }
    void setHandler(std::function<void()> h) override { handler_ = std::move(h); }
    std::optional<LocalDateTime> tickTime() const override { return dueTime; }

    // Whether a real timer would tick now: enabled with a positive interval.
    bool running() const { return enabled_ && interval_ > 0; }
    // Delivers one tick if the timer runs; returns whether it did.
    bool tick() {
        if (!running() || !handler_)
            return false;
        handler_();
        return true;
    }

    std::vector<std::string> changes;
    std::function<void(const std::string&)> onChange; // lets a test log changes in order
    std::optional<LocalDateTime> dueTime;             // what a wall-clock timer would report

  private:
    void record(const std::string& change) {
        changes.push_back(change);
        if (onChange)
            onChange(change);
    }

    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> handler_;
};

} // namespace tw::test
