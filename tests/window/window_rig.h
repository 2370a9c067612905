#pragma once

#include "support/fake_controls.h"
#include "support/fake_services.h"
#include "window/main_window.h"

#include <string>
#include <utility>

namespace tw::test {

// The window's behaviour over fake controls and fake services: no toolkit, no display,
// nothing of it reaches the real system.
struct WindowRig : FakeServices {
    explicit WindowRig(std::string programFolder = "/nonexistent") {
        window.programFolder = std::move(programFolder);
        window.homePageRandom = [] { return 0.5; };
        window.endProgram = [this] { ++ends; };
    }

    // Start-up, as before the window is first shown.
    FakeForm& load() {
        window.start();
        return form;
    }

    Services services = FakeServices::services();
    FakeForm form{events};
    MainWindow window{form.controls(), services};
    int ends = 0;
};

// Every X of the given seconds, running the one program: the usual firing of these tests.
inline void everyXRunning(FakeForm& f, const std::string& seconds, const std::string& program) {
    f.hours.setText("0");
    f.minutes.setText("0");
    f.seconds.setText(seconds);
    f.runEnabled.setValue(1);
    f.runList.addRow(program);
    f.everyX.setSelected(true);
}

} // namespace tw::test
