#pragma once

#include "platform/clock.h"

namespace tw {

// The machine's local clock (time zone and daylight saving from the C library).
class SystemClock : public Clock {
  public:
    LocalDateTime now() const override;
    double secondsSinceMidnight() const override;
    int utcOffsetSeconds() const override;
};

} // namespace tw
