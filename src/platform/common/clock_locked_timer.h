#pragma once

#include "platform/common/aligned_ticks.h"
#include "platform/timer.h"

#include <cstdint>

namespace tw {

// A window timer whose ticks are locked to the wall clock: each tick stands for one boundary
// of the clock (each whole second at 1000 ms), is delivered a few milliseconds after it, and
// tells the handler which second it stands for. Under load a late tick is still delivered
// for its own second, so no second is skipped and none is seen twice. A one-shot wake-up is
// set afresh for every tick from the clock's reading, so the ticks never drift. Ticks never
// nest: one due while the handler still runs waits until it has returned.
// A backend supplies the wake-up on its user-interface thread.
class ClockLockedTimer : public Timer {
  public:
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    void setHandler(std::function<void()> handler) override;
    std::optional<LocalDateTime> tickTime() const override { return current_; }

    // Ticks passed over after a suspension or a change of the clock.
    std::int64_t skipped() const { return plan_.skipped(); }

  protected:
    // The backend's wake-up came: delivers the tick that is due, if any, and sets the next.
    void onWake();

  private:
    // Calls onWake() once, on the user-interface thread, at the given wall-clock time
    // (milliseconds since the epoch), replacing any wake-up set before.
    virtual void wakeAt(std::int64_t wallClockMs) = 0;
    // Cancels the wake-up that is set, if any.
    virtual void cancelWake() = 0;

    void restart();
    void arm();

    AlignedTicks plan_;
    std::function<void()> handler_;
    int interval_ = 0;
    bool enabled_ = false;
    bool inTick_ = false;
    std::optional<LocalDateTime> current_;
};

// The wall clock in milliseconds since the epoch: the clock the program's times are read from.
std::int64_t wallClockMs();

} // namespace tw
