#pragma once

#include "platform/windows.h"

#include <set>

namespace tw {

class EventPump;

// The top-level windows of the desktop (EnumWindows), closed by a WM_CLOSE request.
class Win32Windows : public Windows {
  public:
    // How long a close request waits for its window to go, as on the other platforms.
    static constexpr int kDefaultCloseWaitMs = 2000;

    // events, when given, runs our own window's messages while a close request waits.
    explicit Win32Windows(EventPump* events = nullptr, int closeWaitMs = kDefaultCloseWaitMs);

    // Every top-level window, hidden ones included, topmost first, except the system's
    // input-method helpers and the windows owned by one we asked to close: that is the
    // program's question to its user ("Save changes?"), and answering it is the user's.
    std::vector<TopLevelWindow> closableWindows() override;
    // Posts WM_CLOSE (a hung program cannot hold us up) and waits, without polling, until
    // the window is destroyed, its process ends, or the bounded wait has passed.
    void requestClose(WindowId window) override;

  private:
    bool ownedByAsked(void* window);

    EventPump* events_;
    int closeWaitMs_;
    std::set<void*> asked_; // windows we asked to close that still exist
};

} // namespace tw
