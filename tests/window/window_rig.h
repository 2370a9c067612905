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

} // namespace tw::test
