#pragma once

#include "frontend/qt/qt_main_window.h"
#include "platform/linux/system_clock.h"
#include "platform/qt/blue_q_icon.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_tray_host.h"
#include "platform/qt/wall_clock_timer.h"
#include "support/fake_services.h"
#include "window/main_window.h"

#include <memory>

namespace tw::test {

// The Qt window and its behaviour over fakes; nothing of it reaches the real system. With
// a real tray, the clock, the event pump, the notification area and its wait are real.
struct WindowRig : FakeServices {
    enum class Tray { Fake, Real };

    explicit WindowRig(const std::string& programFolder = "/nonexistent",
                       Tray trayKind = Tray::Fake) {
        Clock* useClock = &clock;
        EventPump* useEvents = &events;
        TrayHost* useTray = &tray;
        Timer* useTrayWait = &trayWait;
        PicturePtr icon = std::make_shared<FakePicture>(PictureType::Icon, "blue Q");
        if (trayKind == Tray::Real) {
            useClock = &realClock.emplace();
            useEvents = &realEvents.emplace();
            useTray = &realTray.emplace();
            useTrayWait = &realTrayWait.emplace();
            icon = QtPicture::icon(programIcon());
        }
        services = std::make_unique<Services>(
            Services{*useClock, locale, store, dialogs, *useEvents, launcher, processes, windows,
                     autostart, clipboard, timer, *useTray, *useTrayWait, icon, notifier});
        form = std::make_unique<QtMainWindow>();
        window = std::make_unique<MainWindow>(form->controls(), *services);
        window->programFolder = programFolder;
        window->homePageRandom = [] { return 0.5; };
        window->endProgram = [this] { ++ends; };
        form->onClose = [this] { window->close(); };
    }
    ~WindowRig() {
        window.reset();
        form.reset();
    }

    // Start-up, as before the window is first shown.
    QtMainWindow& load() {
        window->start();
        return *form;
    }
    template <class Widget> Widget& control(const char* name) {
        return form->control<Widget>(name);
    }

    std::optional<SystemClock> realClock;
    std::optional<QtEventPump> realEvents;
    std::optional<QtTrayHost> realTray;
    std::optional<WallClockTimer> realTrayWait;
    std::unique_ptr<Services> services;
    std::unique_ptr<QtMainWindow> form;
    std::unique_ptr<MainWindow> window;
    int ends = 0;
};

} // namespace tw::test
