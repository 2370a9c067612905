#pragma once

#include "platform/processes.h"
#include "platform/windows.h"

namespace tw {

class EventPump;

// The top-level client windows of the X display named by DISPLAY, with or without a
// window manager. Each call opens its own short connection, so a display that goes away
// between calls is reported, not fatal.
class X11Windows : public Windows {
  public:
    // How long a close request waits for its window to go. Clients answer within a few
    // milliseconds; two seconds covers a slow or busy one, while a program that asks its
    // user first (or ignores the request) holds up the rest of a firing only that long.
    static constexpr int kDefaultCloseWaitMs = 2000;

    // events, when given, keeps our own window responsive while a close request waits.
    explicit X11Windows(EventPump* events = nullptr, int closeWaitMs = kDefaultCloseWaitMs);

    std::vector<TopLevelWindow> closableWindows() override;
    void requestClose(WindowId window) override;

  private:
    EventPump* events_;
    int closeWaitMs_;
};

// The processes behind the window manager, the compositing manager and the tray host of the
// display named by DISPLAY, found through the selections they own; empty when no display can
// be reached.
std::vector<SparedProcess> x11SessionHolders();

} // namespace tw
