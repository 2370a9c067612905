#pragma once

#include "platform/common/clock_locked_timer.h"

namespace tw {

// The clock-locked window timer on Windows: a waitable timer set for the absolute time of
// each tick (nothing busy waits, and a clock that is set moves the wake-up with it), and a
// small thread, one for all the process's timers, that waits on them and posts each tick to
// its timer's message-only window, so the handler runs on the user-interface thread from any
// message loop, a dialog's included.
class WallClockTimer : public ClockLockedTimer {
  public:
    WallClockTimer();
    ~WallClockTimer() override;
    WallClockTimer(const WallClockTimer&) = delete;
    WallClockTimer& operator=(const WallClockTimer&) = delete;

    // Whether the timer wakes at its due time to the millisecond (Windows 10 1803 and later)
    // rather than at the system timer's coarser steps.
    bool highResolution() const { return highResolution_; }

    // Called from the window procedure on a tick message.
    void onTickMessage() { onWake(); }

  private:
    void wakeAt(std::int64_t wallClockMs) override;
    void cancelWake() override;

    void* timer_ = nullptr;  // the waitable timer
    void* window_ = nullptr; // receives the tick messages
    bool highResolution_ = false;
    bool waited_ = false; // whether the thread waits on it yet
};

} // namespace tw
