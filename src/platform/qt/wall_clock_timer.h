#pragma once

#include "platform/common/clock_locked_timer.h"

#include <QTimer>

namespace tw {

// The clock-locked window timer on Qt's event loop: a precise single-shot QTimer is each
// tick's wake-up.
class WallClockTimer : public ClockLockedTimer {
  public:
    WallClockTimer();

  private:
    void wakeAt(std::int64_t wallClockMs) override;
    void cancelWake() override;

    QTimer timer_;
};

} // namespace tw
