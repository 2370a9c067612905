#pragma once

#include "platform/qt/aligned_ticks.h"
#include "platform/timer.h"

#include <QTimer>
#include <cstdint>

namespace tw {

// A window timer whose ticks are locked to the wall clock: each tick stands for one boundary
// of the clock (each whole second at 1000 ms), is delivered a few milliseconds after it, and
// tells the handler which second it stands for. Under load a late tick is still delivered
// for its own second, so no second is skipped and none is seen twice. A single-shot timer is
// armed afresh for every tick from the clock's reading, so the ticks never drift. Ticks
// never nest: one due while the handler still runs waits until it has returned.
class WallClockTimer : public Timer {
  public:
    WallClockTimer();

    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    void setHandler(std::function<void()> handler) override;
    std::optional<LocalDateTime> tickTime() const override { return current_; }

    // Ticks passed over after a suspension or a change of the clock.
    std::int64_t skipped() const { return plan_.skipped(); }

  private:
    void restart();
    void arm();
    void onTimeout();

    QTimer timer_;
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
