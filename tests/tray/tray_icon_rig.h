#pragma once

#include "support/fake_clock.h"
#include "support/fake_tray_host.h"
#include "tray/tray_icon.h"

#include <string>
#include <vector>

namespace tw::test {

// A tray icon control over a fake notification area, with a clock that only the
// control's waits move.
struct SysTrayRig {
    FakeClock clock;
    FakeEventPump pump{clock};
    FakeTrayHost host;
    TrayIcon tray{host, clock, pump};
};

// The same, noting every mouse event the control raises ("Down 2 0": button 2, id 0).
struct ListeningTrayRig : SysTrayRig {
    std::vector<std::string> heard;

    ListeningTrayRig() {
        tray.setEvents({
            [this](std::int32_t id) { heard.push_back("Move " + std::to_string(id)); },
            [this](std::int16_t b, std::int32_t id) { hear("Down", b, id); },
            [this](std::int16_t b, std::int32_t id) { hear("Up", b, id); },
            [this](std::int16_t b, std::int32_t id) { hear("DblClick", b, id); },
        });
    }
    void hear(const char* what, std::int16_t button, std::int32_t id) {
        heard.push_back(std::string(what) + " " + std::to_string(button) + " " +
                        std::to_string(id));
    }
};

} // namespace tw::test
