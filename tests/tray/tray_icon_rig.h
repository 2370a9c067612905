#pragma once

#include "support/fake_clock.h"
#include "support/fake_tray_host.h"
#include "tray/tray_icon.h"

namespace tw::test {

// A tray icon control over a fake notification area, with a clock that only the
// control's waits move.
struct SysTrayRig {
    FakeClock clock;
    FakeEventPump pump{clock};
    FakeTrayHost host;
    TrayIcon tray{host, clock, pump};
};

} // namespace tw::test
