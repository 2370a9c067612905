#pragma once

#include "platform/windows.h"

#include <string>
#include <vector>

namespace tw {

class EventPump;

// The windows of a KDE Plasma session (Plasma 5 and 6), reached through KWin's scripting
// over the session bus: a short script lists the windows with their processes, or asks one
// window to close as its close button would, and reports back to us over the bus.
class KWinWindows : public Windows {
  public:
    KWinWindows(EventPump* events, int closeWaitMs);

    std::vector<TopLevelWindow> closableWindows() override;
    // Done once KWin reports the window removed, or the bounded wait has passed.
    void requestClose(WindowId window) override;

    // Whether KWin answers on the session bus.
    static bool runs();

  private:
    EventPump* events_;
    int closeWaitMs_;
    std::vector<std::string> ids_; // KWin's id of each window id - 1
};

} // namespace tw
