#pragma once

#include "frontend/qt/form1_tray.h"
#include "support/fake_autostart.h"
#include "support/fake_dialogs.h"
#include "support/fake_settings_store.h"

#include <QCheckBox>
#include <QWidget>
#include <memory>

namespace tw {

// A window with the two start-up option boxes and the tray wiring, over a fake store,
// dialogs and autostart list; the clock and event loop are the caller's.
struct Form1TrayRig {
    Form1TrayRig(const Clock& clock, EventPump& events) {
        window.setObjectName("Form1");
        window.setWindowTitle("Tidewell");
        window.resize(400, 200);
        Check4 = new QCheckBox("Load this software on Windows startup", &window);
        Check4->setObjectName("Check4");
        Check4->setGeometry(24, 20, 262, 19);
        Check8 = new QCheckBox("Minimized to system tray", &window);
        Check8->setObjectName("Check8");
        Check8->setGeometry(200, 60, 172, 19);
        Check8->hide();
        tray = std::make_unique<Form1Tray>(Form1Tray::Parts{window, *Check4, *Check8, clock, events,
                                                            store, dialogs, autostart,
                                                            [this] { return loading; }});
    }
    ~Form1TrayRig() { tray.reset(); }

    QWidget window;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check8 = nullptr;
    test::FakeSettingsStore store;
    test::FakeDialogs dialogs;
    test::FakeAutostart autostart;
    bool loading = false;
    std::unique_ptr<Form1Tray> tray;
};

} // namespace tw
