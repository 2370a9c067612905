#pragma once

#include "platform/windows.h"

#include <string>
#include <vector>

namespace tw {

class EventPump;

// For Wayland desktops that let no program list or close another's windows (GNOME, and any
// compositor without a window-management interface of its own): each program that takes
// the standard quit request over the session bus (org.freedesktop.Application with a "quit"
// action, as GApplication programs do) stands for one window; it may ask its user first.
// Other programs with Wayland windows are named as out of reach.
class AppQuitWindows : public Windows {
  public:
    AppQuitWindows(EventPump* events, int closeWaitMs);

    std::vector<TopLevelWindow> closableWindows() override;
    // Done once the program has left the bus (it quit), or the bounded wait has passed.
    void requestClose(WindowId window) override;
    std::string unreachableWindows(int pid) override;

  private:
    EventPump* events_;
    int closeWaitMs_;
    std::vector<std::string> names_; // bus name of each window id - 1
};

// Whether the process has loaded the Wayland client library (it can show Wayland
// windows); false when that cannot be read.
bool usesWayland(int pid);

} // namespace tw
