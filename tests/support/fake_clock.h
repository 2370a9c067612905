#pragma once

#include "platform/clock.h"
#include "platform/event_pump.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>

namespace tw::test {

// A wall clock that tests set and step; time passes only when a test says so.
class FakeClock : public Clock {
  public:
    FakeClock() { set({2026, 12, 7, 8, 0, 0}); }

    void set(const LocalDateTime& when) {
        using namespace std::chrono;
        const auto day =
            sys_days(year_month_day(year(when.year), month(static_cast<unsigned>(when.month)),
                                    std::chrono::day(static_cast<unsigned>(when.day))));
        millis_ = (static_cast<std::int64_t>(day.time_since_epoch().count()) * 86400 +
                   when.secondOfDay()) *
                  1000;
    }
    void advanceMs(std::int64_t ms) { millis_ += ms; }
    void advanceSeconds(std::int64_t s) { millis_ += s * 1000; }
    std::int64_t millis() const { return millis_; }

    LocalDateTime now() const override {
        using namespace std::chrono;
        const std::int64_t secs = floorDiv(millis_, 1000);
        const std::int64_t days = floorDiv(secs, 86400);
        const int sod = static_cast<int>(secs - days * 86400);
        const year_month_day ymd{sys_days(std::chrono::days(days))};
        return {static_cast<int>(ymd.year()),
                static_cast<int>(static_cast<unsigned>(ymd.month())),
                static_cast<int>(static_cast<unsigned>(ymd.day())),
                sod / 3600,
                sod / 60 % 60,
                sod % 60};
    }
    std::optional<int> utcOffsetSeconds() const override { return utcOffset; }
    double secondsSinceMidnight() const override {
        const std::int64_t dayMs = millis_ - floorDiv(millis_, 86400000) * 86400000;
        return static_cast<double>(dayMs) / 1000.0;
    }

    // What the clock says of its distance to UTC; a test in a real time zone sets it.
    std::optional<int> utcOffset = 0;

  private:
    static std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
        return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
    }
    std::int64_t millis_ = 0;
};

// An event loop whose waits move the fake clock instead of sleeping.
class FakeEventPump : public EventPump {
  public:
    explicit FakeEventPump(FakeClock& clock) : clock_(clock) {}
    void processPending() override {
        ++pendingRuns;
        deliverPosted();
        if (onPending)
            onPending();
    }
    void waitForEvents(int maxMs) override {
        ++waits;
        std::int64_t length = maxMs > 0 ? maxMs : 1;
        // A real loop returns as soon as events come.
        if (eventAtMs > clock_.millis() && eventAtMs - clock_.millis() < length)
            length = eventAtMs - clock_.millis();
        clock_.advanceMs(length);
        deliverPosted();
        if (onPending)
            onPending();
    }

    // Queues an event the way a toolkit posts one to its loop: it runs at the next
    // processPending() or wait, after what runs now.
    void post(std::function<void()> event) { posted_.push_back(std::move(event)); }
    // Runs the posted events, those they post included.
    void deliverPosted() {
        while (!posted_.empty()) {
            const std::function<void()> event = std::move(posted_.front());
            posted_.pop_front();
            event();
        }
    }

    int pendingRuns = 0;
    int waits = 0;
    std::function<void()> onPending; // lets a test act "while events are handled"
    std::int64_t eventAtMs = -1;     // when on the fake clock events come and end a wait

  private:
    FakeClock& clock_;
    std::deque<std::function<void()>> posted_;
};

} // namespace tw::test
