#pragma once

#include "platform/windows.h"

#include <string>

namespace tw {

class EventPump;

// The native Wayland windows of a sway (or other i3-IPC) session. Windows of X programs
// running under Xwayland are left to the X11 facility, which asks them by the X protocol.
class SwayWindows : public Windows {
  public:
    // events, when given, keeps our own window responsive while a close request waits.
    SwayWindows(std::string socketPath, EventPump* events, int closeWaitMs);

    std::vector<TopLevelWindow> closableWindows() override;
    // The compositor sends the window's close event, as its own close button would; done
    // once the window is gone, not when its process ends.
    void requestClose(WindowId window) override;

  private:
    std::string socketPath_;
    EventPump* events_;
    int closeWaitMs_;
};

} // namespace tw
