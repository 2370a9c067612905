#pragma once

#include "platform/clock.h"

namespace tw {

// The local wall clock of Windows (GetLocalTime).
class SystemClock : public Clock {
  public:
    LocalDateTime now() const override;
    double secondsSinceMidnight() const override;
    int utcOffsetSeconds() const override;
};

} // namespace tw
